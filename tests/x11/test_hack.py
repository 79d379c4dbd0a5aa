"""The X11 hack under Xvfb with Mesa: -root draws a lit, mirrored, moving
kaleidoscope and SIGTERM ends it with 0 within a second; -no-mirrors is not
symmetric; -window-id draws only inside that window, and a window that goes
away ends it; its own window keeps the picture centred when resized; a root
over two monitors shows a kaleidoscope on each, also after a resize; the
switches every hack takes; the real xscreensaver and MATE daemons run it and
end it; bad switches and a missing window exit 1."""

import contextlib
import ctypes
import os
import pwd
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "shared"))
import harness  # noqa: E402

HACK = os.environ.get("DROWSEL_HACK", "")
ROOT = os.path.join(os.path.dirname(__file__), "..", "..")
# Where the package puts the hack, and the daemons look for it.
INSTALLED_HACK = "/usr/libexec/xscreensaver/drowsel"


@contextlib.contextmanager
def installed_hack():
    """The built hack where the package installs it, for the length of a
    with-block; whatever was there is put back after."""
    kept = INSTALLED_HACK + ".kept"
    if os.path.exists(INSTALLED_HACK):
        shutil.move(INSTALLED_HACK, kept)
    os.makedirs(os.path.dirname(INSTALLED_HACK), exist_ok=True)
    shutil.copy(HACK, INSTALLED_HACK)
    os.chmod(INSTALLED_HACK, 0o755)
    try:
        yield INSTALLED_HACK
    finally:
        os.remove(INSTALLED_HACK)
        if os.path.exists(kept):
            shutil.move(kept, INSTALLED_HACK)


def running(program):
    """Whether a process runs that program."""
    for entry in os.listdir("/proc"):
        try:
            if entry.isdigit() and os.readlink("/proc/%s/exe" % entry) == program:
                return True
        except OSError:
            continue
    return False


def send_configure_notify(display_name, width, height):
    """Tells the clients that watch the root window that it has this size, as
    the server does on a resize (the virtual servers here cannot resize a root
    that spans monitors)."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ConfigureEvent(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("event", ctypes.c_ulong), ("window", ctypes.c_ulong),
                    ("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                    ("height", ctypes.c_int), ("border_width", ctypes.c_int),
                    ("above", ctypes.c_ulong), ("override_redirect", ctypes.c_int)]

    class Event(ctypes.Union):
        _fields_ = [("xconfigure", ConfigureEvent), ("pad", ctypes.c_long * 24)]

    display = x11.XOpenDisplay(display_name.encode())
    root = x11.XDefaultRootWindow(display)
    event = Event()
    event.xconfigure.type = 22  # ConfigureNotify
    event.xconfigure.event = event.xconfigure.window = root
    event.xconfigure.width, event.xconfigure.height = width, height
    x11.XSendEvent(display, root, 0, 1 << 17, ctypes.byref(event))  # StructureNotifyMask
    x11.XCloseDisplay(display)  # flushes


class Hack(unittest.TestCase):
    def setUp(self):
        self.display = harness.Display()
        self.environment = dict(os.environ, DISPLAY=self.display.name)
        self.environment.pop("XSCREENSAVER_WINDOW", None)
        self.started = []

    def tearDown(self):
        harness.end_programs(self.started)
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
        self.assertTrue(found, "no window titled Drowsel; " + self.what_runs())
        return found[0]

    def what_runs(self):
        """What a wait that timed out saw: the programs started and how they
        ended, with what an ended one printed, and the windows there were."""
        lines = harness.how_programs_ended(self.started)
        server = self.display.process.poll()
        if server is not None:
            return "programs: %s; the X server ended with exit code %d" % ("; ".join(lines),
                                                                           server)
        tree = subprocess.run(["xwininfo", "-root", "-children"], env=self.environment,
                              stdout=subprocess.PIPE, text=True, timeout=10).stdout
        return "programs: %s; windows:\n%s" % ("; ".join(lines), tree)

    def screen(self, window="root"):
        path = harness.artifact("hack.png")
        subprocess.run(["import", "-display", self.display.name, "-window", window, path],
                       check=True, timeout=30)
        return harness.Picture(path)

    def drawn(self, centre_x, centre_y, radius, window="root"):
        """The picture once a kaleidoscope shows in that disc; a wait that
        times out fails with what it saw."""
        picture = harness.wait_until(lambda: (lambda p: p if p.drawn_around(
            centre_x, centre_y, radius) else None)(self.screen(window)), 20, 0.5)
        if picture is None:
            raise AssertionError("nothing drawn within 20 s in window %s (last screenshot %s); %s"
                                 % (window, harness.artifact("hack.png"), self.what_runs()))
        return picture

    def test_root_draws_a_moving_mirrored_kaleidoscope_and_ends_on_sigterm(self):
        hack = self.start(HACK, "-root")
        first = self.drawn(512, 384, 300)
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
        self.assertGreater(picture.mirror_mismatch(212, 812, 84, 684), 0.01)

    def test_window_id_draws_only_inside_that_window(self):
        # A hack's own window, 300 x 200 in the corner, then stopped, stands for
        # a settings page's preview; a second hack draws into it by number.
        owner = self.start(HACK)
        window = self.own_window()
        self.xdotool("windowsize", window, "300", "200")
        self.xdotool("windowmove", window, "0", "0")
        self.drawn(150, 100, 80, window)
        owner.send_signal(signal.SIGSTOP)
        still = self.screen(window)
        self.start(HACK, "-window-id", window)
        self.assertTrue(harness.wait_until(
            lambda: self.screen(window).difference(still) > 0.002, 10, 0.5),
            "nothing drawn into the given window")
        self.assertEqual(self.screen().lit_fraction(700, 500, 200), 1.0)  # the white root
        # The window goes away with its owner: the hack that drew into it ends.
        drawing = self.started[-1]
        owner.kill()
        owner.wait()
        self.assertEqual(harness.wait_for_exit(drawing, 1.0), 1, "it outlived its window")
        self.assertEqual(drawing.stderr.read().strip(),
                         "drowsel: the window 0x%x went away" % int(window))

    def test_its_own_window_keeps_the_picture_centred_when_resized(self):
        self.start(HACK)
        window = self.own_window()
        names = subprocess.run(["xprop", "-id", window, "WM_CLASS"], env=self.environment,
                               stdout=subprocess.PIPE, text=True, timeout=10).stdout
        self.assertIn('= "drowsel", "Drowsel"', names)
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
        for resized in (False, True):
            if resized:
                send_configure_notify(self.display.name, 1024, 768)
            for centre_x, centre_y, half in ((512, 384, 300), (1424, 300, 230)):
                with self.subTest(monitor=(centre_x, centre_y), resized=resized):
                    self.assertTrue(harness.wait_until(lambda: (lambda p: p.drawn_around(
                        centre_x, centre_y, half) and p.mirror_mismatch(
                            centre_x - half, centre_x + half, centre_y - half,
                            centre_y + half) < 0.03)(self.screen()), 20, 0.5),
                        "no mirrored kaleidoscope on this monitor")

    def readme_debian_lines(self):
        """The lines README.Debian gives for a user with no ~/.xscreensaver."""
        with open(os.path.join(ROOT, "debian", "README.Debian")) as file:
            text = file.read()
        found = re.search(r"^programs:.*\\\n.*\\n\n", text, re.MULTILINE)
        self.assertIsNotNone(found, "no programs: lines in README.Debian")
        return found.group(0)

    def test_the_xscreensaver_daemon_runs_it_with_the_lines_readme_debian_gives(self):
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
        # The daemon adds the hacks of its own list after the user's; choosing
        # Drowsel in xscreensaver-settings, as README.Debian says, writes mode
        # and selection.
        with open(os.path.join(home, ".xscreensaver"), "w") as settings:
            settings.write("mode: one\nselected: 0\nlock: False\nfade: False\nunfade: False\n"
                           "splash: False\n" + self.readme_debian_lines())
        as_user = ["runuser", "-u", user, "--", "env", "HOME=" + home,
                   "DISPLAY=" + self.display.name]
        with installed_hack() as hack:
            self.started.append(subprocess.Popen(as_user + ["xscreensaver", "-no-splash"],
                                                 stdout=subprocess.DEVNULL,
                                                 stderr=subprocess.DEVNULL))

            def command(verb):
                return subprocess.run(as_user + ["xscreensaver-command", verb], timeout=20,
                                      stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL).returncode
            self.assertTrue(harness.wait_until(lambda: command("-activate") == 0, 20, 0.5))
            self.assertTrue(harness.wait_until(lambda: running(hack), 20, 0.5),
                            "the daemon ran no hack")
            self.drawn(512, 384, 300)
            self.assertEqual(command("-deactivate"), 0)
            self.assertTrue(harness.wait_until(lambda: not running(hack), 20, 0.5),
                            "the hack outlived the deactivation")
            command("-exit")

    def test_the_mate_screensaver_lists_it_runs_it_and_ends_it(self):
        """MATE finds its themes in the desktop entries of the Screensaver menu;
        the package's entry, as it ships, in a data folder of the test's own."""
        with tempfile.TemporaryDirectory() as work, installed_hack() as hack:
            entries = os.path.join(work, "data", "applications", "screensavers")
            os.makedirs(entries)
            shutil.copy(os.path.join(ROOT, "x11", "package", "drowsel.desktop"), entries)
            environment = dict(self.environment, HOME=work, XDG_CURRENT_DESKTOP="MATE",
                               XDG_DATA_DIRS=os.path.join(work, "data") + ":/usr/share")
            environment.pop("XDG_RUNTIME_DIR", None)
            bus = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1",
                                  "--print-pid=1"], env=environment, stdout=subprocess.PIPE,
                                 text=True, check=True, timeout=20).stdout.split()
            environment["DBUS_SESSION_BUS_ADDRESS"] = bus[0]
            try:
                def run(*command):
                    return subprocess.run(list(command), env=environment, timeout=20,
                                          stdout=subprocess.DEVNULL,
                                          stderr=subprocess.DEVNULL).returncode
                for key, value in (("mode", "single"), ("themes", "['screensavers-drowsel']"),
                                   ("lock-enabled", "false")):
                    self.assertEqual(run("gsettings", "set", "org.mate.screensaver", key, value), 0)
                daemon = subprocess.Popen(["mate-screensaver", "--no-daemon"], env=environment,
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                self.started.append(daemon)
                self.assertTrue(harness.wait_until(
                    lambda: run("mate-screensaver-command", "--query") == 0, 20, 0.5))
                self.assertEqual(run("mate-screensaver-command", "--activate"), 0)
                self.assertTrue(harness.wait_until(lambda: running(hack), 20, 0.5),
                                "MATE ran no Drowsel (its theme not found?)")
                self.drawn(512, 384, 300)
                self.assertEqual(run("mate-screensaver-command", "--deactivate"), 0)
                self.assertTrue(harness.wait_until(lambda: not running(hack), 20, 0.5),
                                "the hack outlived the deactivation")
            finally:
                os.kill(int(bus[1]), signal.SIGTERM)

    def test_the_switches_every_hack_takes(self):
        """Each row draws a kaleidoscope, on the root or in its own window; with
        -fps the frame rate shows in the lower left corner."""
        cases = ((["--root", "--fps"], True), (["-root", "-fps", "-delay", "20000"], True),
                 (["--root", "--delay", "20000"], False),
                 (["-root", "-display", self.display.name, "-install"], False),
                 (["-window", "-visual", "default", "--fps"], True),
                 (["-visual", "best", "-install"], False))
        for switches, frame_rate in cases:
            with self.subTest(switches=switches):
                hack = self.start(HACK, *switches)
                on_root = any(switch.endswith("root") for switch in switches)
                window = "root" if on_root else self.own_window()
                self.drawn(512, 384, 300, window)  # the root and the own window are 1024 x 768
                if frame_rate:
                    self.assertTrue(harness.wait_until(lambda: self.corner_text(window), 10, 0.5),
                                    "no frame rate in the lower left corner")
                hack.send_signal(signal.SIGTERM)
                self.assertEqual(harness.wait_for_exit(hack, 5), 0)

    def corner_text(self, window):
        """Whether white text shows in the lower left corner."""
        picture = self.screen(window)
        white = sum(1 for y in range(picture.height - 30, picture.height - 4)
                    for x in range(4, 100) if min(picture.at(x, y)) > 200)
        return white > 20

    def test_bad_switches_and_a_missing_window_exit_with_one(self):
        for switches in (["-frames"], ["-window-id", "12x"], ["-window-id", "0x1fffffff"],
                         ["-delay", "soon"]):
            with self.subTest(switches=switches):
                hack = self.start(HACK, *switches)
                self.assertEqual(harness.wait_for_exit(hack, 10), 1)
                error = hack.stderr.read()
                self.assertIn("drowsel:", error)
                self.assertIn("usage:", error)
                self.assertNotIn("X Error", error)
                self.assertNotIn("X error", error)

    def test_help_and_a_display_that_cannot_be_opened_say_what_they_mean(self):
        unset = {key: value for key, value in self.environment.items() if key != "DISPLAY"}
        cases = ((["-help"], self.environment, 0, ["-window-id ID ", "-delay MICROSECONDS ",
                                                   "-no-mirrors ", "-visual ID|default|best "]),
                 ([], unset, 1, ["the DISPLAY variable is not set"]),
                 ([], dict(unset, DISPLAY=":9999"), 1, ['":9999" (the DISPLAY variable)']),
                 (["--display", ":9998"], unset, 1, ['":9998" (-display)']))
        for switches, environment, code, words in cases:
            with self.subTest(switches=switches, display=environment.get("DISPLAY")):
                ran = subprocess.run([HACK] + switches, env=environment, stdout=subprocess.PIPE,
                                     stderr=subprocess.STDOUT, text=True, timeout=10)
                self.assertEqual(ran.returncode, code, ran.stdout)
                for word in words:
                    self.assertIn(word, ran.stdout)


if __name__ == "__main__":
    unittest.main()
