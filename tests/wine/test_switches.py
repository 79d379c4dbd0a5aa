"""Switches that show nothing end at once with exit code 0."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "shared"))
import harness  # noqa: E402


class Switches(unittest.TestCase):
    def test_silent_switches_end_at_once(self):
        with harness.Session() as wine:
            # /p with no number or a number that names no window, an unknown
            # switch, a doubled prefix, and the password change where the
            # system has none.
            for switches in (["/p"], ["/p", "0"], ["/x"], ["--s"], ["/a", "0"]):
                with self.subTest(switches=switches):
                    started = time.monotonic()
                    saver = wine.start_saver(*switches)
                    self.assertEqual(harness.wait_for_exit(saver, 20), 0)
                    self.assertLess(time.monotonic() - started, 20)
                    self.assertEqual(wine.saver_windows(), [])
                    self.assertFalse(wine.screensaver_running())


if __name__ == "__main__":
    unittest.main()
