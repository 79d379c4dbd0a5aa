"""The configuration dialog and the mirrors option in the registry."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402

KEY = r"Software\Orv\Drowsel"
TITLE = "Config dialog"
OK, CANCEL, USE_MIRRORS = 1, 2, 1001


class ConfigDialog(harness.SessionTestCase):
    def open_dialog(self):
        dialog = self.wine.start_saver("/c")
        self.assertIsNotNone(harness.wait_until(
            lambda: self.wine.control(TITLE, USE_MIRRORS), 20, 0.3))
        return dialog

    def test_first_run_shows_mirrors_on_and_ok_unchecked_writes_zero(self):
        self.wine.delete_key(KEY)
        dialog = self.open_dialog()
        self.assertEqual(self.wine.control(TITLE, USE_MIRRORS)["checked"], 1)
        # Every line shows whole: the static is at least as wide as its text.
        control, text = (int(w) for w in self.wine.probe("textwidth", TITLE, "Version 1.0").split())
        self.assertGreaterEqual(control, text)
        self.wine.click_control(TITLE, USE_MIRRORS)
        self.assertTrue(harness.wait_until(
            lambda: self.wine.control(TITLE, USE_MIRRORS)["checked"] == 0, 5))
        self.wine.click_control(TITLE, OK)
        self.assertEqual(harness.wait_for_exit(dialog, 10), 0)
        self.assertEqual(self.wine.read_dword(KEY, "UseMirrors"), 0)

    def test_stored_zero_shows_unchecked_and_cancel_leaves_registry(self):
        self.wine.write_dword(KEY, "UseMirrors", 0)
        dialog = self.open_dialog()
        self.assertEqual(self.wine.control(TITLE, USE_MIRRORS)["checked"], 0)
        self.wine.click_control(TITLE, USE_MIRRORS)
        self.wine.click_control(TITLE, CANCEL)
        self.assertEqual(harness.wait_for_exit(dialog, 10), 0)
        self.assertEqual(self.wine.read_dword(KEY, "UseMirrors"), 0)

    def test_other_non_zero_value_is_on_and_ok_keeps_it_on(self):
        self.wine.write_dword(KEY, "UseMirrors", 7)
        dialog = self.open_dialog()
        self.assertEqual(self.wine.control(TITLE, USE_MIRRORS)["checked"], 1)
        self.wine.click_control(TITLE, OK)
        self.assertEqual(harness.wait_for_exit(dialog, 10), 0)
        self.assertEqual(self.wine.read_dword(KEY, "UseMirrors"), 1)


if __name__ == "__main__":
    unittest.main()
