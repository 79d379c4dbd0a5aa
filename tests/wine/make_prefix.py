"""Creates the isolated Wine prefix for this test run, with crash dialogs off."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "shared"))
import harness  # noqa: E402

if __name__ == "__main__":
    harness.make_prefix()
    print("prefix ready at", harness.PREFIX)
