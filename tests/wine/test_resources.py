"""The resources that the system and the user see in drowsel.scr."""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "shared"))
import harness  # noqa: E402


class Resources(unittest.TestCase):
    def test_dialog_strings_icon_manifest_and_version_in_english(self):
        with harness.Session() as wine:
            lines = wine.probe("resources", harness.SCR).splitlines()
            found = dict(line.split(" ", 1) for line in lines if " " in line)
            for name in ("dialog104", "strings1", "icongroup1", "manifest1", "version1"):
                self.assertTrue(found.get(name, "").startswith("ok"), name)
            self.assertIn("string1=TAVO screen saver", lines)

    def test_pictures_are_english_raw_data_of_the_committed_files(self):
        resources = os.path.join(os.path.dirname(__file__), "..", "..", "resources")
        with harness.Session() as wine:
            lines = wine.probe("resources", harness.SCR).splitlines()
            found = dict(line.split(" ", 1) for line in lines if " " in line)
            for name in ("JPEG_TAVO_RGB", "JPEG_TAVO_MASK", "LOGO_MASK"):
                size = os.path.getsize(os.path.join(resources, name + ".jpg"))
                self.assertEqual(found.get(name), "ok %d" % size, name)


if __name__ == "__main__":
    unittest.main()
