"""The resources that the system and the user see in drowsel.scr."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402


class Resources(unittest.TestCase):
    def test_dialog_strings_icon_manifest_and_version_in_english(self):
        with harness.Session() as wine:
            lines = wine.probe("resources", harness.SCR).splitlines()
            found = dict(line.split(" ", 1) for line in lines if " " in line)
            for name in ("dialog104", "strings1", "icongroup1", "manifest1", "version1"):
                self.assertEqual(found.get(name), "ok", name)
            self.assertIn("string1=TAVO screen saver", lines)


if __name__ == "__main__":
    unittest.main()
