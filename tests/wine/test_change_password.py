"""/a hands "SCRSAVE", the parent window, 0 and 0 to PwdChangePasswordA."""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "shared"))
import harness  # noqa: E402

TEST_KEY = r"Software\DrowselTest"


class ChangePassword(unittest.TestCase):
    def test_password_change_is_called_with_the_parent(self):
        with harness.Session() as wine:
            wine.delete_key(TEST_KEY)
            _, parent = wine.open_parent(300, 200)
            # The saver takes MPR from the system folder only, so the stand-in goes there.
            wine.environment["WINEDLLOVERRIDES"] = harness.DLL_OVERRIDES + ";mpr=n"
            try:
                with harness.SystemLibrary(os.path.join("mpr", "mpr.dll"), "mpr.dll"):
                    saver = wine.start_saver("/a", str(parent))
                    self.assertEqual(harness.wait_for_exit(saver, 20), 0)
            finally:
                wine.environment["WINEDLLOVERRIDES"] = harness.DLL_OVERRIDES
            output = wine.registry("query", "HKCU\\" + TEST_KEY).stdout
            values = {}
            for line in output.splitlines():
                parts = line.split(None, 2)
                if len(parts) == 3:
                    values[parts[0]] = parts[2].strip()
            self.assertEqual(values.get("Provider"), "SCRSAVE")
            self.assertEqual(int(values.get("Owner", "-1"), 16), parent)
            self.assertEqual(int(values.get("Third", "-1"), 16), 0)
            self.assertEqual(int(values.get("Fourth", "-1"), 16), 0)
            wine.delete_key(TEST_KEY)


if __name__ == "__main__":
    unittest.main()
