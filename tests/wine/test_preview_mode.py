"""Preview mode: a child window filling the parent's outer size, no running-saver
notification, and an end when the parent goes away."""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "shared"))
import harness  # noqa: E402



def start_preview(wine, width, height, switches=lambda parent: ("/p", str(parent))):
    """A parent window standing for the settings page's preview, and the saver
    in it, started with the switches made from the parent's number."""
    parent_process, parent = wine.open_parent(width, height)
    saver = wine.start_saver(*switches(parent))
    return parent_process, parent, saver


class PreviewMode(unittest.TestCase):
    def test_child_window_of_the_parents_outer_size(self):
        with harness.Session() as wine:
            _, parent, saver = start_preview(wine, 320, 240)
            windows = wine.wait_for_saver_window()
            self.assertEqual(len(windows), 1, windows)
            window = windows[0]
            self.assertEqual(window["parent"], parent)
            self.assertEqual((window["x"], window["y"]), (0, 0))
            self.assertEqual((window["width"], window["height"]), (320, 240))
            shown_child = harness.WS_CHILD | harness.WS_VISIBLE
            self.assertEqual(window["style"] & shown_child, shown_child)
            self.assertFalse(wine.screensaver_running())

            # The display settings page ends the preview by destroying its window.
            wine.probe("close", str(parent))
            self.assertEqual(harness.wait_for_exit(saver, 15), 0)
            self.assertFalse(wine.screensaver_running())

    def test_a_parent_that_dies_without_destroying_its_window_ends_the_preview(self):
        with harness.Session() as wine:
            parent_process, _, saver = start_preview(wine, 200, 150)
            wine.wait_for_saver_window()
            parent_process.kill()  # as a crash: no window is destroyed first
            parent_process.wait(10)
            self.assertEqual(harness.wait_for_exit(saver, 10), 0)

    def test_colon_form_of_the_handle(self):
        with harness.Session() as wine:
            _, parent, saver = start_preview(wine, 200, 150, lambda parent: ("/p:%d" % parent,))
            windows = wine.wait_for_saver_window()
            self.assertEqual([(w["parent"], w["width"], w["height"]) for w in windows],
                             [(parent, 200, 150)])
            wine.probe("close", str(windows[0]["hwnd"]))
            self.assertEqual(harness.wait_for_exit(saver, 15), 0)


if __name__ == "__main__":
    unittest.main()
