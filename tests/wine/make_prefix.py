"""Creates the isolated Wine prefix for this test run, with crash dialogs off."""

import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402


def main():
    harness.require_tools()
    display = harness.Display()
    wine = harness.Wine(display)
    try:
        harness.make_fresh_prefix(wine, harness.PREFIX)
    finally:
        wine.stop()
        display.stop()
    print("prefix ready at", harness.PREFIX)


if __name__ == "__main__":
    main()
