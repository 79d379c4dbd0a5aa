"""On the Windows 95 family, a close after the grace delay asks for the password
(and one within it does not);
a refused one keeps the saver running and the next input asks again."""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "shared"))
import harness  # noqa: E402

COMMON_KEY = r"Software\Microsoft\Windows\CurrentVersion\Screen Savers"
TEST_KEY = r"Software\DrowselTest"


class PasswordCheck(unittest.TestCase):
    def test_refused_password_keeps_running_accepted_one_closes(self):
        with harness.Session() as wine:
            saver_path = harness.saver_beside("password", "PASSWORD.CPL")
            wine.registry("add", r"HKCU\Software\Wine", "/v", "Version", "/d", "win98", "/f")
            wine.write_dword(COMMON_KEY, "Password Delay", 0)
            wine.delete_key(TEST_KEY)
            wine.write_dword(TEST_KEY, "Answer", 0)
            try:
                wine.xdotool("mousemove", "500", "400")
                saver = wine.start(saver_path, "/s")
                windows = wine.wait_for_saver_window()
                self.assertTrue(windows)

                wine.xdotool("key", "a")
                self.assertTrue(harness.wait_until(
                    lambda: wine.read_dword(TEST_KEY, "Calls") == 1, 10, 0.3))
                self.assertEqual(wine.read_dword(TEST_KEY, "Owner"), windows[0]["hwnd"])
                self.assertIsNone(harness.wait_for_exit(saver, 2), "refused password closed")
                self.assertEqual(len(wine.saver_windows()), 1)

                wine.write_dword(TEST_KEY, "Answer", 1)
                wine.xdotool("key", "b")
                self.assertEqual(harness.wait_for_exit(saver, 10), 0)
                self.assertEqual(wine.read_dword(TEST_KEY, "Calls"), 2)

                # Within the grace delay a key closes without asking.
                wine.write_dword(COMMON_KEY, "Password Delay", 600)
                wine.write_dword(TEST_KEY, "Answer", 0)
                saver = wine.start(saver_path, "/s")
                self.assertTrue(wine.wait_for_saver_window())
                wine.xdotool("key", "c")
                self.assertEqual(harness.wait_for_exit(saver, 10), 0)
                self.assertEqual(wine.read_dword(TEST_KEY, "Calls"), 2)
            finally:
                wine.registry("delete", r"HKCU\Software\Wine", "/v", "Version", "/f")
                wine.registry("delete", "HKCU\\" + COMMON_KEY, "/v", "Password Delay", "/f")
                wine.delete_key(TEST_KEY)


if __name__ == "__main__":
    unittest.main()
