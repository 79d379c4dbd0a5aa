"""The X11 hack under Xvfb with Mesa: -root draws a lit, mirrored, moving
kaleidoscope and SIGTERM ends it with 0 within a second; -no-mirrors is not
symmetric; -window-id draws only inside that window; its own window keeps the
picture centred when resized; a root over two monitors shows a kaleidoscope on
each; bad switches and a missing window exit 1."""

import os
import pwd
import shutil
import signal
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "wine"))
import harness  # noqa: E402

HACK = os.environ.get("DROWSEL_HACK", "")


class Hack(unittest.TestCase):
    def setUp(self):
        self.display = harness.Display()
        self.environment = dict(os.environ, DISPLAY=self.display.name)
        self.environment.pop("XSCREENSAVER_WINDOW", None)
        self.started = []

    def tearDown(self):
        for process in self.started:
            if process.poll() is None:
                process.kill()
                process.wait()
        self.display.stop()

    def start(self, program, *switches):
        process = subprocess.Popen([program] + list(switches), env=self.environment,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        self.started.append(process)
        return process

    def xdotool(self, *arguments):
        return subprocess.run(["xdotool"] + list(arguments), env=self.environment,
                              stdout=subprocess.PIPE, text=True, timeout=10).stdout

    def own_window(self):
        """The hack's own window, once it is there."""
        found = harness.wait_until(lambda: self.xdotool("search", "--name", "^Drowsel$").split(),
                                   10, 0.2)
        self.assertTrue(found, "no window titled Drowsel")
        return found[0]

    def screen(self, window="root"):
        path = harness.artifact("hack.png")
        subprocess.run(["import", "-display", self.display.name, "-window", window, path],
                       check=True, timeout=30)
        return harness.Picture(path)

    def drawn(self, centre_x, centre_y, radius, window="root"):
        return harness.wait_until(lambda: (lambda p: p if p.drawn_around(
            centre_x, centre_y, radius) else None)(self.screen(window)), 20, 0.5)

    def test_root_draws_a_moving_mirrored_kaleidoscope_and_ends_on_sigterm(self):
        hack = self.start(HACK, "-root")
        first = self.drawn(512, 384, 300)
        self.assertIsNotNone(first, "nothing drawn on the root window")
        self.assertTrue(harness.wait_until(
            lambda: self.screen().mirror_mismatch(212, 812, 84, 684) < 0.03, 10, 0.2),
            "not left-right symmetric")
        self.assertTrue(harness.wait_until(
            lambda: self.screen().difference(first) > 0.002, 10, 0.5), "does not move")
        hack.send_signal(signal.SIGTERM)
        started = time.monotonic()
        self.assertEqual(harness.wait_for_exit(hack, 5), 0)
        self.assertLess(time.monotonic() - started, 1.0)

    def test_without_mirrors_the_picture_is_not_symmetric(self):
        self.start(HACK, "-root", "-no-mirrors")
        picture = self.drawn(512, 384, 300)
        self.assertIsNotNone(picture)
        self.assertGreater(picture.mirror_mismatch(212, 812, 84, 684), 0.01)

    def test_window_id_draws_only_inside_that_window(self):
        # A hack's own window, 300 x 200 in the corner, then stopped, stands for
        # a settings page's preview; a second hack draws into it by number.
        owner = self.start(HACK)
        window = self.own_window()
        self.xdotool("windowsize", window, "300", "200")
        self.xdotool("windowmove", window, "0", "0")
        self.assertIsNotNone(self.drawn(150, 100, 80, window))
        owner.send_signal(signal.SIGSTOP)
        still = self.screen(window)
        self.start(HACK, "-window-id", window)
        self.assertTrue(harness.wait_until(
            lambda: self.screen(window).difference(still) > 0.002, 10, 0.5),
            "nothing drawn into the given window")
        self.assertEqual(self.screen().lit_fraction(700, 500, 200), 1.0)  # the white root

    def test_its_own_window_keeps_the_picture_centred_when_resized(self):
        self.start(HACK)
        window = self.own_window()
        self.xdotool("windowsize", window, "600", "400")
        picture = harness.wait_until(lambda: (lambda p: p if p.width == 600 and p.drawn_around(
            300, 200, 150) and p.mirror_mismatch(100, 500, 20, 380) < 0.03 else None)(
                self.screen(window)), 20, 0.5)
        self.assertIsNotNone(picture, "not a centred, symmetric picture at the new size")

    def test_a_root_over_two_monitors_shows_one_kaleidoscope_each(self):
        self.display.stop()
        self.display = harness.TwoMonitors()  # 1024 x 768 and 800 x 600 to its right
        self.environment["DISPLAY"] = self.display.name
        self.start(HACK, "-root")
        for centre_x, centre_y, half in ((512, 384, 300), (1424, 300, 230)):
            with self.subTest(monitor=(centre_x, centre_y)):
                self.assertTrue(harness.wait_until(lambda: (lambda p: p.drawn_around(
                    centre_x, centre_y, half) and p.mirror_mismatch(
                        centre_x - half, centre_x + half, centre_y - half, centre_y + half) < 0.03)(
                            self.screen()), 20, 0.5), "no mirrored kaleidoscope on this monitor")

    def test_the_xscreensaver_daemon_runs_it_and_ends_it(self):
        # The daemon launches no hacks for root: an ordinary user of its own,
        # on a display that lets that user in.
        user = "drowsel-hack-test"
        if subprocess.run(["id", user], stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode != 0:
            subprocess.run(["useradd", "--create-home", user], check=True)
        home = pwd.getpwnam(user).pw_dir
        self.display.stop()
        self.display.process, self.display.name = harness.start_server(
            ["Xvfb", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-ac", "+extension",
             "GLX"])
        hack = os.path.join(home, "drowsel")
        shutil.copy(HACK, hack)
        os.chmod(hack, 0o755)
        with open(os.path.join(home, ".xscreensaver"), "w") as settings:
            settings.write("mode: one\nselected: 0\nlock: False\nfade: False\nunfade: False\n"
                           "splash: False\nprograms: GL: %s -root \\n\\n\n" % hack)
        as_user = ["runuser", "-u", user, "--", "env", "HOME=" + home,
                   "DISPLAY=" + self.display.name]
        self.started.append(subprocess.Popen(as_user + ["xscreensaver", "-no-splash"],
                                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))

        def command(verb):
            return subprocess.run(as_user + ["xscreensaver-command", verb], timeout=20,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode

        def hack_running():
            for entry in os.listdir("/proc"):
                try:
                    if entry.isdigit() and os.readlink("/proc/%s/exe" % entry) == hack:
                        return True
                except OSError:
                    continue
            return False
        self.assertTrue(harness.wait_until(lambda: command("-activate") == 0, 20, 0.5))
        self.assertTrue(harness.wait_until(hack_running, 20, 0.5), "the daemon ran no hack")
        picture = self.drawn(512, 384, 300)
        self.assertIsNotNone(picture, "nothing drawn on the daemon's window")
        self.assertTrue(harness.wait_until(
            lambda: self.screen().mirror_mismatch(212, 812, 84, 684) < 0.03, 10, 0.2))
        self.assertEqual(command("-deactivate"), 0)
        self.assertTrue(harness.wait_until(lambda: not hack_running(), 20, 0.5),
                        "the hack outlived the deactivation")
        command("-exit")

    def test_bad_switches_and_a_missing_window_exit_with_one(self):
        for switches in (["-fps"], ["-window-id", "12x"], ["-window-id", "0x1fffffff"]):
            with self.subTest(switches=switches):
                hack = self.start(HACK, *switches)
                self.assertEqual(harness.wait_for_exit(hack, 10), 1)
                error = hack.stderr.read()
                self.assertIn("drowsel:", error)
                self.assertIn("usage:", error)
                self.assertNotIn("X Error", error)


if __name__ == "__main__":
    unittest.main()
