"""Libraries are loaded from the system folder only: OpenGL, GLU and MPR left
beside the saver are never loaded, and a system without OpenGL still shows the
settings while the saver says what failed."""

import glob
import os
import shutil
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "shared"))
import harness  # noqa: E402

PLANTED = ("opengl32.dll", "glu32.dll", "mpr.dll")
DIALOG_TITLE, CANCEL, USE_MIRRORS = "Config dialog", 2, 1001
ERROR_TEXT = "LoadLibrary() failed:  Cannot load OpenGL."
OK = 1


class LibrarySearch(harness.SessionTestCase):
    def tearDown(self):
        self.wine.environment["WINEDLLOVERRIDES"] = harness.DLL_OVERRIDES

    def show_and_cancel_dialog(self, saver):
        self.assertIsNotNone(harness.wait_until(
            lambda: self.wine.control(DIALOG_TITLE, USE_MIRRORS), 20, 0.3))
        self.wine.click_control(DIALOG_TITLE, CANCEL)

    def draw_and_end_on_a_key(self, saver):
        self.assertTrue(self.wine.wait_for_saver_window())
        self.assertIsNotNone(self.wine.wait_for_frame("planted.png")[0], "nothing drawn")
        self.wine.xdotool("key", "space")

    def test_libraries_left_beside_the_saver_are_never_loaded(self):
        saver_path = harness.saver_beside("planted")
        folder = os.path.dirname(saver_path)
        for name in PLANTED:
            shutil.copy(os.path.join(harness.HELPERS, "planted.dll"), os.path.join(folder, name))
        # Preferring native copies makes Wine search the program's folder as Windows does.
        self.wine.environment["WINEDLLOVERRIDES"] = (harness.DLL_OVERRIDES +
                                                     ";opengl32,glu32,mpr=n,b")
        _, parent = self.wine.open_parent(300, 200)
        for switches, job in ((["/c"], self.show_and_cancel_dialog),
                              (["/s"], self.draw_and_end_on_a_key),
                              (["/a", str(parent)], lambda saver: None)):
            with self.subTest(switches=switches):
                for marker in glob.glob(os.path.join(folder, "*.loaded")):
                    os.remove(marker)
                saver = self.wine.start(saver_path, *switches)
                job(saver)
                self.assertEqual(harness.wait_for_exit(saver, 20), 0)
                self.assertEqual(glob.glob(os.path.join(folder, "*.loaded")), [])

    def test_without_opengl_the_saver_says_so_and_the_settings_still_show(self):
        self.wine.environment["WINEDLLOVERRIDES"] = harness.DLL_OVERRIDES + ";opengl32="
        dialog = self.wine.start_saver("/c")
        self.show_and_cancel_dialog(dialog)
        self.assertEqual(harness.wait_for_exit(dialog, 10), 0)

        saver = self.wine.start_saver("/s")
        self.assertIsNotNone(harness.wait_until(
            lambda: self.wine.control("Error", OK), 20, 0.3), "no error message")
        # The probe finds a static showing exactly that text, or prints nothing.
        self.assertTrue(self.wine.probe("textwidth", "Error", ERROR_TEXT).strip())
        self.wine.click_control("Error", OK)
        self.assertEqual(harness.wait_for_exit(saver, 10), 0)
        self.assertFalse(self.wine.screensaver_running())


if __name__ == "__main__":
    unittest.main()
