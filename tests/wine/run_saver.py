"""Runs the saver with the given switches for scripts/run."""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402


def main(screenshot, switches):
    if os.environ.get("DISPLAY"):
        environment = dict(os.environ, WINEPREFIX=harness.PREFIX, WINEDEBUG="-all",
                           WINEDLLOVERRIDES=harness.DLL_OVERRIDES)
        return subprocess.call(["wine", harness.SCR] + switches, env=environment)
    with harness.Session() as wine:
        saver = wine.start_saver(*switches)
        wine.wait_for_saver_window(20)
        time.sleep(3)  # let the animation run a little before the picture is taken
        wine.screenshot(screenshot)
        if saver.poll() is None:
            if "/s" in switches or "-s" in switches:
                wine.xdotool("key", "space")
            harness.wait_for_exit(saver, 10)
    print("run: no display; ran %s on a virtual display, screenshot saved as %s"
          % (" ".join(switches), screenshot))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2:]))
