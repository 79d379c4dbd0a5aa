"""Full-screen mode: the window, its black picture, the running-saver notification
and a clean end on a key press."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402

WS_POPUP = 0x80000000
WS_VISIBLE = 0x10000000
WS_CHILD = 0x40000000
WS_CAPTION = 0x00C00000
WS_THICKFRAME = 0x00040000


def brightest(path):
    _, _, pixels = harness.read_ppm(path)
    return max(pixels)


class SaverMode(unittest.TestCase):
    def test_full_screen_window_runs_and_closes(self):
        with harness.Session() as wine:
            # The display's root window is white until something covers it.
            self.assertGreater(brightest(wine.screenshot(harness.artifact("before.png"))), 0)
            self.assertFalse(wine.screensaver_running())

            saver = wine.start_saver("/s")
            windows = wine.wait_for_saver_window()
            self.assertEqual(len(windows), 1, windows)
            window = windows[0]
            width, height = wine.screen_size()
            self.assertEqual((window["x"], window["y"]), (0, 0))
            self.assertEqual((window["width"], window["height"]), (width, height))
            self.assertEqual(window["parent"], 0)
            self.assertEqual(window["style"] & (WS_POPUP | WS_VISIBLE), WS_POPUP | WS_VISIBLE)
            self.assertEqual(window["style"] & (WS_CHILD | WS_CAPTION | WS_THICKFRAME), 0)
            self.assertEqual(window["exstyle"], 0)

            self.assertTrue(harness.wait_until(wine.screensaver_running, 10, 0.3))
            # The white root is covered: the corners of the screen are black.
            def covered():
                picture = harness.Picture(wine.screenshot(harness.artifact("saver.png")))
                corners = [picture.at(0, 0), picture.at(width - 1, 0),
                           picture.at(0, height - 1)]
                return all(max(corner) == 0 for corner in corners)
            self.assertTrue(harness.wait_until(covered, 10, 0.5),
                            "the full-screen window does not cover the screen")

            wine.xdotool("key", "space")
            self.assertEqual(harness.wait_for_exit(saver, 10), 0)
            self.assertFalse(wine.screensaver_running())
            self.assertEqual(wine.saver_windows(), [])


if __name__ == "__main__":
    unittest.main()
