"""Full-screen mode: the window, its black picture, the running-saver notification
and a clean end on a key press."""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "shared"))
import harness  # noqa: E402



def brightest(path):
    _, _, pixels = harness.read_ppm(path)
    return max(pixels)


class SaverMode(unittest.TestCase):
    def test_full_screen_window_runs_and_closes(self):
        with harness.Session() as wine:
            # The display's root window is white until something covers it.
            self.assertGreater(brightest(wine.screenshot(harness.artifact("before.png"))), 0)
            self.assertFalse(wine.screensaver_running())

            saver = wine.start_saver("/s")
            windows = wine.wait_for_saver_window()
            self.assertEqual(len(windows), 1, windows)
            window = windows[0]
            width, height = wine.screen_size()
            self.assertEqual((window["x"], window["y"]), (0, 0))
            self.assertEqual((window["width"], window["height"]), (width, height))
            self.assertEqual(window["parent"], 0)
            shown_popup = harness.WS_POPUP | harness.WS_VISIBLE
            self.assertEqual(window["style"] & shown_popup, shown_popup)
            frame = harness.WS_CHILD | harness.WS_CAPTION | harness.WS_THICKFRAME
            self.assertEqual(window["style"] & frame, 0)
            self.assertEqual(window["exstyle"], 0)

            self.assertTrue(harness.wait_until(wine.screensaver_running, 10, 0.3))
            # The white root is covered: the corners of the screen are black.
            def covered():
                picture = harness.Picture(wine.screenshot(harness.artifact("saver.png")))
                corners = [picture.at(0, 0), picture.at(width - 1, 0),
                           picture.at(0, height - 1)]
                return all(max(corner) == 0 for corner in corners)
            self.assertTrue(harness.wait_until(covered, 10, 0.5),
                            "the full-screen window does not cover the screen")

            wine.xdotool("key", "space")
            self.assertEqual(harness.wait_for_exit(saver, 10), 0)
            self.assertFalse(wine.screensaver_running())
            self.assertEqual(wine.saver_windows(), [])

    def test_the_saver_follows_a_desk_that_changes(self):
        with harness.Session(harness.VirtualDesktop) as wine:
            # Near the lower right corner, where the smaller mode moves the
            # cursor: that is not the user's travel.
            wine.xdotool("mousemove", "1000", "740")
            saver = wine.start_saver("/s")
            wine.wait_for_saver_window()
            for width, height in ((1280, 800), (800, 600)):
                self.assertEqual(wine.probe("mode", str(width), str(height)).strip(), "0")
                seen = []

                def placed():
                    seen[:] = [(w["x"], w["y"], w["width"], w["height"])
                               for w in wine.saver_windows()]
                    return seen == [(0, 0, width, height)]
                self.assertTrue(harness.wait_until(placed, 2, 0.1),
                                "at %dx%d the saver stands at %s" % (width, height, seen))
                x, y, radius = width // 2, height // 2, int(height * 0.4)

                def covered_and_centred():
                    picture = harness.Picture(wine.screenshot(harness.artifact("desk.png")))
                    corners = [picture.at(0, 0), picture.at(width - 1, 0),
                               picture.at(0, height - 1)]
                    return (all(max(corner) == 0 for corner in corners) and
                            picture.drawn_around(x, y, radius) and
                            picture.mirror_mismatch(x - radius, x + radius, y - radius,
                                                    y + radius) < 0.03)
                self.assertTrue(harness.wait_until(covered_and_centred, 10, 0.3),
                                "at %dx%d no kaleidoscope covers the desk about its centre" %
                                (width, height))
                self.assertIsNone(saver.poll(), "the saver ended at %dx%d" % (width, height))

            wine.xdotool("key", "space")
            self.assertEqual(harness.wait_for_exit(saver, 10), 0)

    def test_wedges_meet_without_seams_in_the_pixel_format_the_saver_gets(self):
        # The saver's pictures cannot be swapped, so a helper draws its scene with
        # uniform ones, through its pixel format and buffer swaps, and counts the
        # pixels on wedge edges that differ from both sides (see the rendering tests).
        with harness.Session() as wine:
            code, output = wine.run(os.path.join(harness.HELPERS, "seam_probe.exe"), timeout=120)
            self.assertEqual(code, 0, output)
            lines = [line.split() for line in output.splitlines()]
            self.assertEqual(lines[-1][:2], ["stencil", "8"], output)
            counts = [int(line[2]) for line in lines[:-1]]
            self.assertEqual(len(counts), 10, output)
            self.assertEqual(sum(counts), 0, output)

    def test_every_monitor_shows_a_kaleidoscope_and_none_the_desktop(self):
        with harness.Session(harness.TwoMonitors) as wine:
            # A bright window on the second monitor stands for what the desktop shows.
            wine.start(os.path.join(harness.HELPERS, "probe.exe"),
                       "cover", "1024", "0", "800", "600")
            self.assertTrue(harness.wait_until(lambda: harness.Picture(wine.screenshot(
                harness.artifact("desk.png"))).at(1424, 300) == (0, 255, 0), 20, 0.5))

            saver = wine.start_saver("/s")
            windows = wine.wait_for_saver_window()
            self.assertEqual([(w["x"], w["y"], w["width"], w["height"]) for w in windows],
                             [(0, 0, 1824, 768)])
            self.assertTrue(harness.wait_until(wine.screensaver_running, 10, 0.3))
            # (centre x, centre y, radius clear of the logo strip, logo strip box)
            monitors = [(512, 384, 300, (700, 1024, 715, 750)),
                        (1424, 300, 230, (1550, 1824, 555, 590))]

            def both_drawn_and_symmetric():
                picture = harness.Picture(wine.screenshot(harness.artifact("two-monitors.png")))
                for x, y, radius, _ in monitors:
                    if (not picture.drawn_around(x, y, radius) or
                            picture.mirror_mismatch(x - radius, x + radius, y - radius,
                                                    y + radius) > 0.03):
                        return None
                return picture
            picture = harness.wait_until(both_drawn_and_symmetric, 20, 0.3)
            self.assertIsNotNone(picture, "not a symmetric kaleidoscope on each monitor")
            self.assertFalse(any(picture.at(x, y) == (0, 255, 0)
                                 for y in range(0, 600, 2) for x in range(1024, 1824, 2)))
            for _, _, _, (left, right, top, bottom) in monitors:
                glowing = sum(1 for y in range(top, bottom) for x in range(left, right)
                              if 3 < max(picture.at(x, y)) <= 40)
                self.assertGreater(glowing, 30, "no logo strip in a lower right corner")

            wine.xdotool("key", "space")
            self.assertEqual(harness.wait_for_exit(saver, 10), 0)
            self.assertFalse(wine.screensaver_running())


if __name__ == "__main__":
    unittest.main()
