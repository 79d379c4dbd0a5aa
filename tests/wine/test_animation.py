"""The picture itself under Wine: the full-screen animation moves, is mirrored
about the vertical line through the centre when mirrors are on and not when
they are off, it stands still while the display is off, and the preview draws
the same animation into its child."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "shared"))
import harness  # noqa: E402

KEY = r"Software\Orv\Drowsel"


class Animation(harness.SessionTestCase):
    def run_saver(self, mirrors):
        if mirrors is None:
            self.wine.delete_key(KEY)
        else:
            self.wine.write_dword(KEY, "UseMirrors", mirrors)
        saver = self.wine.start_saver("/s")
        self.wine.wait_for_saver_window()
        first, (centre_x, centre_y, radius) = self.wine.wait_for_frame("animation.png")
        self.assertIsNotNone(first, "nothing drawn around the centre")
        box = (centre_x - radius, centre_x + radius, centre_y - radius, centre_y + radius)
        return saver, first, box

    def assert_symmetric_soon(self, box):
        # A screenshot can catch the screen while a frame is being presented;
        # one of a few consecutive ones must be whole and symmetric.
        def symmetric():
            picture = harness.Picture(self.wine.screenshot(harness.artifact("symmetry.png")))
            return picture.mirror_mismatch(*box) < 0.03
        self.assertTrue(harness.wait_until(symmetric, 10, 0.2), "not left-right symmetric")

    def stop_saver(self, saver):
        self.wine.xdotool("key", "space")
        self.assertEqual(harness.wait_for_exit(saver, 10), 0)

    def test_mirrored_animation_moves_and_is_symmetric(self):
        saver, first, box = self.run_saver(None)  # first run: mirrors on
        self.assert_symmetric_soon(box)
        moved = harness.wait_until(
            lambda: harness.Picture(self.wine.screenshot(harness.artifact("later.png")))
            .difference(first) > 0.002, 10, 1.0)
        self.assertTrue(moved, "two screenshots a second apart are the same")
        self.stop_saver(saver)

    def test_without_mirrors_the_picture_is_not_symmetric(self):
        saver, first, box = self.run_saver(0)
        self.assertGreater(first.mirror_mismatch(*box), 0.01)
        self.stop_saver(saver)

    def test_mirrors_value_one_draws_symmetric(self):
        saver, first, box = self.run_saver(1)
        self.assert_symmetric_soon(box)
        self.stop_saver(saver)

    def test_nothing_is_drawn_while_the_display_is_off(self):
        saver, first, _ = self.run_saver(None)
        window = self.wine.saver_windows()[0]["hwnd"]

        def tell(state):
            # As Windows does: the setting in the saver's memory, its address in the message.
            code, _ = self.wine.run(os.path.join(harness.HELPERS, "probe.exe"), "power",
                                    str(window), str(state))
            self.assertEqual(code, 0)

        def screen():
            return harness.Picture(self.wine.screenshot(harness.artifact("display.png")))

        def moves_from(picture):
            return harness.wait_until(lambda: screen().difference(picture) > 0.002, 10, 0.5)

        tell(0)
        # The frame presented last stays; once the screen has settled it must not change.
        pictures = [screen()]

        def settled():
            pictures.append(screen())
            return pictures[-1].difference(pictures[-2]) == 0
        harness.wait_until(settled, 5, 0.2)
        dark = pictures[-1]
        changes = []
        for _ in range(6):  # three seconds
            time.sleep(0.5)
            changes.append(screen().difference(dark))
        self.assertEqual(changes, [0] * 6, "frames were presented with the display off")
        self.assertLess(harness.cpu_percent(saver.pid, 2.0), 3.0)

        tell(1)
        self.assertTrue(moves_from(dark), "the picture does not move again with the display on")
        tell(2)
        self.assertTrue(moves_from(screen()), "the picture stops with the display dimmed")
        self.stop_saver(saver)

    def test_preview_draws_the_animation_into_its_child(self):
        self.wine.write_dword(KEY, "UseMirrors", 1)
        _, parent = self.wine.open_parent(320, 240)
        saver = self.wine.start_saver("/p", str(parent))
        window = self.wine.wait_for_saver_window()[0]

        self.assertEqual((window["width"], window["height"]), (320, 240))

        def preview_picture(width=320, height=240):
            for picture in self.wine.window_pictures(width, height):
                if (picture.drawn_around(width // 2, height // 2, 100) and
                        max(picture.at(2, 2)) == 0):
                    return picture
            return None

        def symmetric(width=320, height=240):
            picture = preview_picture(width, height)
            x, y = (picture.width // 2, height // 2) if picture else (0, 0)
            return picture and picture.mirror_mismatch(x - 100, x + 100, y - 100, y + 100) < 0.03

        first = harness.wait_until(preview_picture, 20, 0.5)
        self.assertIsNotNone(first, "the preview shows no animation")
        self.assertTrue(harness.wait_until(symmetric, 10, 0.2), "the preview is not mirrored")
        moved = harness.wait_until(
            lambda: (preview_picture() or first).difference(first) > 0.002, 10, 1.0)
        self.assertTrue(moved, "the preview does not move")

        # The settings page resizes the preview's parent: the picture fills it, centred.
        self.wine.probe("resize", str(parent), "400", "300")
        sizes = []
        resized = harness.wait_until(lambda: sizes.append([(w["width"], w["height"]) for w in
                                                           self.wine.saver_windows()])
                                     or sizes[-1] == [(400, 300)], 10, 0.3)
        self.assertTrue(resized, "the preview stays at %s" % sizes[-1:])
        self.assertTrue(harness.wait_until(lambda: symmetric(400, 300), 10, 0.2),
                        "the resized preview is not centred")
        self.wine.probe("close", str(parent))
        self.assertEqual(harness.wait_for_exit(saver, 15), 0)


if __name__ == "__main__":
    unittest.main()
