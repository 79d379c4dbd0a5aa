"""The configuration dialog and the mirrors option in the registry."""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "shared"))
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

    def test_odd_types_and_sizes_read_as_four_bytes_or_keep_the_default(self):
        # The value is read into a zeroed 4-byte buffer whatever its type; a
        # value longer than 4 bytes fails the read and the default (on) holds.
        cases = [("REG_DWORD", "0", 0), ("REG_DWORD", "1", 1), ("REG_DWORD", "2", 1),
                 ("REG_DWORD", "0xFFFFFFFF", 1),
                 ("REG_BINARY", "", 0),                  # no bytes: zero, off
                 ("REG_BINARY", "01", 1), ("REG_BINARY", "00000000", 0),
                 ("REG_BINARY", "0000000000", 1),        # 5 bytes: default
                 ("REG_BINARY", "0000000000000000", 1),  # 8 bytes: default
                 ("REG_QWORD", "0", 1),                  # 8 bytes: default
                 ("REG_SZ", "0", 1),                     # "0" and its zero: 0x30, on
                 ("REG_SZ", "", 0),                      # only the zero: off
                 ("REG_MULTI_SZ", "0", 1)]               # 0x30 again: on
        for kind, data, checked in cases:
            written = self.wine.registry("add", "HKCU\\" + KEY, "/v", "UseMirrors", "/t", kind,
                                         "/d", data, "/f")
            self.assertEqual(written.returncode, 0, (kind, data))
            dialog = self.open_dialog()
            self.assertEqual(self.wine.control(TITLE, USE_MIRRORS)["checked"], checked,
                             (kind, data))
            self.wine.click_control(TITLE, CANCEL)
            self.assertEqual(harness.wait_for_exit(dialog, 10), 0)
            # The next case must not read this dialog while it is still being taken down.
            self.assertTrue(harness.wait_until(
                lambda: self.wine.control(TITLE, USE_MIRRORS) is None, 10))


if __name__ == "__main__":
    unittest.main()
