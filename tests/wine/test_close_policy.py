"""What ends the full-screen saver, and what does not."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402


class ClosePolicy(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.session = harness.Session()
        cls.wine = cls.session.__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.session.__exit__(None, None, None)

    def start(self):
        self.wine.xdotool("mousemove", "500", "400")
        saver = self.wine.start_saver("/s")
        windows = self.wine.wait_for_saver_window()
        self.assertEqual(len(windows), 1)
        return saver, windows[0]

    def test_close_message_without_input_is_ignored_then_a_key_closes(self):
        saver, window = self.start()
        self.wine.probe("close", str(window["hwnd"]))
        self.assertIsNone(harness.wait_for_exit(saver, 2))
        self.wine.xdotool("key", "a")
        self.assertEqual(harness.wait_for_exit(saver, 10), 0)
        self.assertFalse(self.wine.screensaver_running())

    def test_mouse_button_closes(self):
        saver, _ = self.start()
        self.wine.xdotool("click", "3")
        self.assertEqual(harness.wait_for_exit(saver, 10), 0)

    def test_small_mouse_travel_keeps_running_and_large_travel_closes(self):
        saver, _ = self.start()
        self.wine.xdotool("mousemove", "540", "440")  # 40 px, under the threshold of 50
        self.assertIsNone(harness.wait_for_exit(saver, 2))
        self.wine.xdotool("mousemove", "551", "400")  # 51 px on one axis
        self.assertEqual(harness.wait_for_exit(saver, 10), 0)


if __name__ == "__main__":
    unittest.main()
