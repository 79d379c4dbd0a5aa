"""What ends the full-screen saver, and what does not."""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "shared"))
import harness  # noqa: E402


class ClosePolicy(harness.SessionTestCase):
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

    def test_system_close_and_screen_saver_commands_are_swallowed(self):
        saver, window = self.start()
        for command in ("0xF060", "0xF140"):  # SC_CLOSE, SC_SCREENSAVE
            self.wine.probe("syscommand", str(window["hwnd"]), command)
        self.assertIsNone(harness.wait_for_exit(saver, 2))
        self.assertEqual(len(self.wine.saver_windows()), 1)
        self.wine.xdotool("key", "a")
        self.assertEqual(harness.wait_for_exit(saver, 10), 0)

    def test_input_storm_ends_in_one_clean_close(self):
        saver, window = self.start()
        self.wine.probe("storm", str(window["hwnd"]), "3000")
        self.assertEqual(harness.wait_for_exit(saver, 20), 0)
        self.assertFalse(self.wine.screensaver_running())


class SettingsTakeEffect(unittest.TestCase):
    COMMON_KEY = r"Software\Microsoft\Windows\CurrentVersion\Screen Savers"

    def run_with_threshold(self, wine, travel):
        wine.xdotool("mousemove", "300", "300")
        saver = wine.start_saver("/s")
        self.assertTrue(wine.wait_for_saver_window())
        wine.xdotool("mousemove", str(300 + travel), "300")
        return harness.wait_for_exit(saver, 3)

    def test_stored_threshold_is_used_and_a_wrong_type_leaves_the_default(self):
        with harness.Session() as wine:
            wine.write_dword(self.COMMON_KEY, "Mouse Threshold", 200)
            try:
                self.assertIsNone(self.run_with_threshold(wine, 150))
                wine.xdotool("key", "a")
                wine.stop()
                # A string too long for the 4-byte buffer: the query fails and the
                # default of 50 px holds, so 60 px of travel closes.
                wine.registry("add", "HKCU\\" + self.COMMON_KEY, "/v", "Mouse Threshold",
                              "/t", "REG_SZ", "/d", "a long string", "/f")
                self.assertEqual(self.run_with_threshold(wine, 60), 0)
            finally:
                wine.registry("delete", "HKCU\\" + self.COMMON_KEY, "/v", "Mouse Threshold",
                              "/f")


if __name__ == "__main__":
    unittest.main()
