"""The Wine environment that the Wine and X11 tests and the scripts (run, cpu,
soak) share: a virtual X display, an isolated Wine prefix inside the build tree,
and the saver run under Wine. Stops only what it started, by PID.

The product and its helpers come from DROWSEL_WINDOWS_BUILD (build/win64), the
prefix lives in DROWSEL_WINE_ROOT (build/wine), or where use_wine_root says."""

import os
import re
import shutil
import subprocess
import time
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WINDOWS_BUILD = os.environ.get("DROWSEL_WINDOWS_BUILD") or os.path.join(ROOT, "build", "win64")
SCR = os.path.join(WINDOWS_BUILD, "drowsel.scr")
HELPERS = os.path.join(WINDOWS_BUILD, "helpers")
WINE_ROOT = PREFIX = ""


def use_wine_root(path):
    """Keeps the prefix and the artifacts in path (a folder of the build tree)."""
    global WINE_ROOT, PREFIX
    WINE_ROOT = path
    PREFIX = os.path.join(path, "prefix")


use_wine_root(os.environ.get("DROWSEL_WINE_ROOT") or os.path.join(ROOT, "build", "wine"))
# Window styles, as the probe reports them.
WS_POPUP = 0x80000000
WS_CHILD = 0x40000000
WS_VISIBLE = 0x10000000
WS_CAPTION = 0x00C00000
WS_THICKFRAME = 0x00040000
# Debian's wine64 loader has no preloader, and Linux places the program break of
# that fixed-address program anywhere in the gigabyte above it: about once in a
# thousand starts its heap covers the page Wine must map at 0x7ffe0000 (the
# shared user data), and Wine exits with code 1 before the program runs
# ("failed to map the shared user data: c0000018"). Without randomisation the
# heap starts right after the loader, far below that page.
WINE = ["setarch", "x86_64", "--addr-no-randomize", "wine"]
# Wine's own helpers the tests do without: the .NET and HTML engines, and the
# menu builder, an X client of its own that comes and goes as Wine starts.
DLL_OVERRIDES = "mscoree,mshtml,winemenubuilder.exe="


def require_tools():
    missing = [tool for tool in ("wine", "wineserver", "Xvfb", "xdotool", "import")
               if shutil.which(tool) is None]
    if missing:
        raise RuntimeError("missing tools: " + ", ".join(missing))
    if not os.path.exists(SCR):
        raise RuntimeError("no product at " + SCR)


def wait_until(condition, timeout, interval=0.1):
    """Polls condition until it returns something true or timeout seconds pass."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() >= deadline:
            return result
        time.sleep(interval)


def start_server(command, environment=None):
    """Starts an X server that picks its own display number; returns the
    process and the display's name. An X server resets when its last client
    leaves and drops whoever connects meanwhile (a hack, a Wine desktop), so
    the test servers never reset."""
    read_end, write_end = os.pipe()
    process = subprocess.Popen(command[:1] + ["-displayfd", str(write_end), "-noreset"] +
                               command[1:],
                               pass_fds=(write_end,), env=environment,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        process.kill()
        raise RuntimeError(command[0] + " did not start")
    return process, ":" + number


def stop_server(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


class Display:
    """An Xvfb server on a display number it chooses itself."""

    def __init__(self, width=1024, height=768):
        self.process, self.name = start_server(
            ["Xvfb", "-screen", "0", "%dx%dx24" % (width, height), "-nolisten", "tcp", "-wr",
             "+extension", "GLX"])

    def stop(self):
        stop_server(self.process)


class TwoMonitors:
    """A desk of two monitors: 1024 x 768 (primary) and 800 x 600 to its right.
    Wine reports Xinerama heads as monitors when the server has no RandR, so a
    nested Xephyr with two screens runs inside an Xvfb of room enough."""

    def __init__(self):
        self.outer, outer_name = start_server(
            ["Xvfb", "-screen", "0", "2400x1000x24", "-nolisten", "tcp"])
        try:
            self.process, self.name = start_server(
                ["Xephyr", "-screen", "1024x768", "-screen", "800x600", "+xinerama",
                 "-extension", "RANDR", "-nolisten", "tcp"],
                dict(os.environ, DISPLAY=outer_name))
        except RuntimeError:
            stop_server(self.outer)
            raise

    def stop(self):
        stop_server(self.process)
        stop_server(self.outer)


class VirtualDesktop(Display):
    """Wine's desktop as a window of 1024 x 768 on an X screen with room to
    grow: a program can change its display mode (Wine lists the modes that fit
    the X screen), which tells every window WM_DISPLAYCHANGE."""

    KEY = r"HKCU\Software\Wine\Explorer"

    def __init__(self):
        super().__init__(1600, 1000)

    def enter(self, wine):
        wine.registry("add", self.KEY, "/v", "Desktop", "/d", "Default", "/f")
        wine.registry("add", self.KEY + r"\Desktops", "/v", "Default", "/d", "1024x768", "/f")
        wine.restart()

    def leave(self, wine):
        wine.registry("delete", self.KEY, "/v", "Desktop", "/f")


class Wine:
    """Runs Windows programs under Wine in the test prefix, on one display."""

    def __init__(self, display):
        self.display = display
        self.started = []
        self.environment = dict(os.environ)
        self.environment.update({
            "WINEPREFIX": PREFIX,
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": DLL_OVERRIDES,
            "DISPLAY": display.name,
        })

    def start(self, program, *arguments, debug="-all"):
        """A program started under Wine; what it writes to its error output
        (Wine's account of a crash among it, and the channels debug turns on)
        is kept in the artifacts."""
        name = re.split(r"[\\/]", program)[-1]  # a Unix or a Windows path
        error_path = artifact("%s-%d.err" % (name, len(self.started)))
        with open(error_path, "w") as errors:
            process = subprocess.Popen(WINE + [program] + list(arguments),
                                       env=dict(self.environment, WINEDEBUG=debug),
                                       stdout=subprocess.PIPE, stderr=errors, text=True)
        process.error_path = error_path
        self.started.append(process)
        return process

    def run(self, program, *arguments, timeout=30):
        completed = subprocess.run(WINE + [program] + list(arguments), env=self.environment,
                                   stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                                   timeout=timeout)
        return completed.returncode, completed.stdout

    def start_saver(self, *switches):
        """The saver, with Wine's error channel on: an X error, a lost
        connection, a wineserver error and a stack overflow each end a Wine
        program with code 1, and each says so there."""
        return self.start(SCR, *switches, debug="-all,err+all")

    def open_parent(self, width, height):
        """A window of outer size width x height standing for the settings page's
        preview: the probe process that holds it, and the window's number."""
        process = self.start(os.path.join(HELPERS, "probe.exe"), "parent", str(width),
                             str(height))
        return process, int(process.stdout.readline())

    def probe(self, *arguments):
        _, output = self.run(os.path.join(HELPERS, "probe.exe"), *arguments)
        return output

    def saver_windows(self):
        windows = []
        for line in self.probe("find").splitlines():
            fields = dict(item.split("=", 1) for item in line.split())
            windows.append({key: (int(value, 16) if key in ("style", "exstyle") else int(value))
                            for key, value in fields.items()})
        return windows

    def wait_for_saver_window(self, timeout=30):
        """The saver's windows once they are shown: the window exists a little
        before the scene is built and the window made visible. A wait that
        times out fails with what it saw."""
        seen = []

        def shown():
            seen[:] = self.saver_windows()
            return seen if seen and all(w["style"] & WS_VISIBLE for w in seen) else None
        windows = wait_until(shown, timeout, 0.3)
        if not windows:
            raise AssertionError("no shown saver window within %d s; saver windows %s\n%s" %
                                 (timeout, seen, self.what_runs("no-saver-window.png")))
        return windows

    def what_runs(self, screenshot_name):
        """What a wait that timed out saw: the programs started and how they
        ended, with a saver's output, every top-level window, a screenshot."""
        lines = ["  " + line for line in how_programs_ended(self.started)]
        for process in self.started:
            with open(process.error_path) as errors:
                text = errors.read().strip()
            if text:
                lines.append("  error output of %s (%s):\n%s" % (
                    " ".join(process.args[len(WINE):]), process.error_path, text[-2000:]))
        lines.append("windows:")
        lines += ["  " + line for line in self.probe("windows").splitlines()]
        try:
            lines.append("screenshot: " + self.screenshot(artifact(screenshot_name)))
        except subprocess.SubprocessError as error:
            lines.append("no screenshot: %s" % error)
        return "programs:\n" + "\n".join(lines)

    def wait_for_frame(self, name, timeout=20):
        """A screenshot of the full-screen saver once it shows a frame in the
        disc about the screen's centre that keeps clear of the logo strip, and
        that disc as (centre x, centre y, radius); None while nothing shows."""
        width, height = self.screen_size()
        disc = (width // 2, height // 2, int(height * 0.4))

        def drawn():
            picture = Picture(self.screenshot(artifact(name)))
            return picture if picture.drawn_around(*disc) else None
        picture = wait_until(drawn, timeout, 0.5)
        if picture is None:
            raise AssertionError("no frame drawn within %d s (last screenshot %s)\n%s" %
                                 (timeout, artifact(name), self.what_runs("no-frame.png")))
        return picture, disc

    def control(self, title, identifier):
        """Screen rectangle, check state and enabled state of a dialog control, or None."""
        fields = self.probe("control", title, str(identifier)).split()
        if len(fields) != 6:
            return None
        return dict(zip(("x", "y", "width", "height", "checked", "enabled"),
                        (int(field) for field in fields)))

    def click_control(self, title, identifier):
        rectangle = wait_until(lambda: self.control(title, identifier), 20, 0.3)
        if rectangle is None:
            raise RuntimeError("no control %s in %r" % (identifier, title))
        self.xdotool("mousemove", str(rectangle["x"] + rectangle["width"] // 2),
                     str(rectangle["y"] + rectangle["height"] // 2), "click", "1")

    def screensaver_running(self):
        return self.probe("running").strip() == "1"

    def screen_size(self):
        width, height = self.probe("screen").split()
        return int(width), int(height)

    def registry(self, *arguments):
        return subprocess.run(WINE + ["reg"] + list(arguments), env=self.environment,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                              timeout=30)

    def read_dword(self, key, name):
        """A REG_DWORD value under HKCU, or None when it is absent."""
        output = self.registry("query", "HKCU\\" + key, "/v", name).stdout
        for line in output.splitlines():
            parts = line.split()
            if len(parts) >= 3 and parts[0] == name and parts[1] == "REG_DWORD":
                return int(parts[2], 16)
        return None

    def write_dword(self, key, name, value):
        self.registry("add", "HKCU\\" + key, "/v", name, "/t", "REG_DWORD", "/d", str(value),
                      "/f")

    def delete_key(self, key):
        self.registry("delete", "HKCU\\" + key, "/f")

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.display.name, "-window", "root", path],
                       check=True, timeout=30)
        return path

    def window_pictures(self, width, height):
        """Pictures of every X window of the given size. Wine renders OpenGL in
        a child window into an X window of its own that the root screenshot
        does not show, so the preview is read from there."""
        tree = subprocess.run(["xwininfo", "-root", "-tree", "-display", self.display.name],
                              check=True, stdout=subprocess.PIPE, text=True, timeout=30).stdout
        pictures = []
        for line in tree.splitlines():
            fields = line.split()
            if not fields or not fields[0].startswith("0x"):
                continue
            size = re.search(r"\s(\d+)x(\d+)[+-]", line)
            if size is None or (int(size.group(1)), int(size.group(2))) != (width, height):
                continue
            path = artifact("window-%s.png" % fields[0])
            captured = subprocess.run(["import", "-display", self.display.name, "-window",
                                       fields[0], path], stderr=subprocess.DEVNULL, timeout=30)
            if captured.returncode == 0:
                pictures.append(Picture(path))
        return pictures

    def xdotool(self, *arguments):
        environment = dict(os.environ, DISPLAY=self.display.name)
        subprocess.run(["xdotool"] + list(arguments), env=environment, check=True, timeout=10)

    def stop(self):
        end_programs(self.started)
        subprocess.run(["wineserver", "-k"], env=self.environment,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def restart(self):
        """Ends the prefix's wineserver, so that the next program starts the
        desktop anew with the registry as it is now."""
        self.stop()
        subprocess.run(["wineserver", "-w"], env=self.environment, timeout=60)


def end_programs(processes):
    """Kills those still running and closes the pipes the test read."""
    for process in processes:
        if process.poll() is None:
            process.kill()
            process.wait()
        for stream in (process.stdout, process.stderr):
            if stream is not None:
                stream.close()


def how_programs_ended(processes):
    """A line for each program started: still running, or its exit code and
    what it printed on the one stream the test reads."""
    lines = []
    for process in processes:
        code = process.poll()
        stream = process.stdout if process.stdout is not None else process.stderr
        output = ""
        if code is not None and stream is not None and not stream.closed:
            output = stream.read().strip()
        lines.append("%s: %s%s" % (" ".join(process.args),
                                   "running" if code is None else "exit code %d" % code,
                                   ", printed %r" % output if output else ""))
    return lines


def tree_ticks(pid):
    """CPU ticks used so far by the process and its living descendants."""
    parents, ticks = {}, {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        parents[int(entry)] = int(fields[1])
        ticks[int(entry)] = int(fields[11]) + int(fields[12])
    total, family = 0, {pid}
    for process in sorted(parents):
        chain, seen = process, set()
        while chain not in family and chain in parents and chain not in seen:
            seen.add(chain)
            chain = parents[chain]
        if chain in family:
            family.add(process)
    for process in family:
        total += ticks.get(process, 0)
    return total


def cpu_percent(pid, seconds):
    """CPU used by the process and its children over the next seconds, in % of a core."""
    start_ticks, start = tree_ticks(pid), time.monotonic()
    time.sleep(seconds)
    used = tree_ticks(pid) - start_ticks
    return 100.0 * used / os.sysconf("SC_CLK_TCK") / (time.monotonic() - start)


def wait_for_exit(process, timeout):
    try:
        return process.wait(timeout)
    except subprocess.TimeoutExpired:
        return None


def read_ppm(path):
    """Reads a picture through ImageMagick as (width, height, RGB bytes)."""
    data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                          stdout=subprocess.PIPE, timeout=30).stdout
    tokens = []
    position = 0
    while len(tokens) < 4:
        while data[position:position + 1].isspace():
            position += 1
        start = position
        while not data[position:position + 1].isspace():
            position += 1
        tokens.append(data[start:position])
    width, height = int(tokens[1]), int(tokens[2])
    return width, height, data[position + 1:position + 1 + width * height * 3]


def artifact(name):
    directory = os.path.join(WINE_ROOT, "artifacts")
    os.makedirs(directory, exist_ok=True)
    return os.path.join(directory, name)


class Session:
    """A display and a Wine runner for one test file, stopped again at the end."""

    def __init__(self, display_type=None):
        self.display_type = display_type or Display

    def __enter__(self):
        require_tools()
        self.display = self.display_type()
        self.wine = Wine(self.display)
        if hasattr(self.display, "enter"):
            self.display.enter(self.wine)
        return self.wine

    def __exit__(self, *exception):
        try:
            if hasattr(self.display, "leave"):
                self.display.leave(self.wine)
        finally:
            self.wine.stop()
            self.display.stop()
        return False


def make_prefix():
    """A new prefix at PREFIX, booted on a display of its own."""
    require_tools()
    display = Display()
    wine = Wine(display)
    try:
        make_fresh_prefix(wine, PREFIX)
    finally:
        wine.stop()
        display.stop()


def ensure_prefix():
    """The prefix at PREFIX, made first where there is none."""
    if not os.path.isdir(os.path.join(PREFIX, "drive_c")):
        make_prefix()


def make_fresh_prefix(wine, path):
    """Points wine at a new prefix at path and boots it, crash dialogs off."""
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(path)
    wine.environment["WINEPREFIX"] = path
    subprocess.run(WINE + ["wineboot", "-i"], env=wine.environment, check=True, timeout=240,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wine.registry("add", r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog",
                  "/t", "REG_DWORD", "/d", "0", "/f")
    subprocess.run(["wineserver", "-w"], env=wine.environment, timeout=120)


class SessionTestCase(unittest.TestCase):
    """Test cases that share one display and Wine runner for the whole class."""

    @classmethod
    def setUpClass(cls):
        cls.session = Session()
        cls.wine = cls.session.__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.session.__exit__(None, None, None)


def saver_beside(folder_name, *libraries):
    """A copy of the saver in its own folder with the given helper libraries
    beside it, where the system's library search finds them first."""
    folder = artifact(folder_name)
    os.makedirs(folder, exist_ok=True)
    saver_path = os.path.join(folder, "drowsel.scr")
    shutil.copy(SCR, saver_path)
    for library in libraries:
        shutil.copy(os.path.join(HELPERS, library), folder)
    return saver_path


class SystemLibrary:
    """A helper library in the prefix's system folder under a system library's
    name for the length of a with-block; the original is put back after."""

    def __init__(self, helper, name):
        self.helper = os.path.join(HELPERS, helper)
        self.path = os.path.join(PREFIX, "drive_c", "windows", "system32", name)
        self.kept = self.path + ".kept"

    def __enter__(self):
        shutil.move(self.path, self.kept)
        shutil.copy(self.helper, self.path)
        return self.path

    def __exit__(self, *exception):
        shutil.move(self.kept, self.path)
        return False


class Picture:
    """An RGB screenshot with the comparisons the animation tests make."""

    def __init__(self, path):
        self.width, self.height, self.pixels = read_ppm(path)

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return self.pixels[i], self.pixels[i + 1], self.pixels[i + 2]

    def _disc(self, centre_x, centre_y, radius, step):
        for y in range(max(0, centre_y - radius), min(self.height, centre_y + radius), step):
            for x in range(max(0, centre_x - radius), min(self.width, centre_x + radius), step):
                if (x - centre_x) ** 2 + (y - centre_y) ** 2 <= radius * radius:
                    yield x, y

    def lit_fraction(self, centre_x, centre_y, radius, step=2):
        points = list(self._disc(centre_x, centre_y, radius, step))
        lit = sum(1 for x, y in points if max(self.at(x, y)) > 40)
        return lit / len(points)

    def drawn_around(self, centre_x, centre_y, radius):
        """Whether a frame shows in the disc: signs on black. Until its first
        frame the saver window, which has no background brush, shows the
        display's white root."""
        return 0.01 < self.lit_fraction(centre_x, centre_y, radius) < 0.95

    def mirror_mismatch(self, left, right, top, bottom, step=2):
        """Fraction of pixels of the rectangle that differ visibly from their
        reflection about the vertical line halfway between left and right."""
        compared = differing = 0
        for y in range(top, bottom, step):
            for x in range(left, right, step):
                a = self.at(x, y)
                b = self.at(left + right - 1 - x, y)
                compared += 1
                differing += any(abs(p - q) > 48 for p, q in zip(a, b))
        return differing / compared

    def difference(self, other, step=2):
        compared = differing = 0
        for y in range(0, self.height, step):
            for x in range(0, self.width, step):
                compared += 1
                differing += any(abs(p - q) > 24
                                 for p, q in zip(self.at(x, y), other.at(x, y)))
        return differing / compared
