"""Creates the isolated Wine prefix for this test run, with crash dialogs off."""

import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402


def main():
    harness.require_tools()
    shutil.rmtree(harness.PREFIX, ignore_errors=True)
    os.makedirs(harness.PREFIX)
    display = harness.Display()
    wine = harness.Wine(display)
    try:
        subprocess.run(["wineboot", "-i"], env=wine.environment, check=True, timeout=240,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wine.registry("add", r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog",
                      "/t", "REG_DWORD", "/d", "0", "/f")
        subprocess.run(["wineserver", "-w"], env=wine.environment, timeout=120)
    finally:
        wine.stop()
        display.stop()
    print("prefix ready at", harness.PREFIX)


if __name__ == "__main__":
    main()
