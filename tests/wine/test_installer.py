"""The release: the installer in a fresh prefix (silent install, the entry in
Settings > Apps, the installed saver running, a second install, the switch that
makes it the current saver, refusal under a newer version, silent uninstall;
upgrades and removals while the saver runs; the pages a user clicks through),
the checksums and the zip."""

import glob
import hashlib
import os
import subprocess
import sys
import unittest
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "shared"))
import harness  # noqa: E402

PACKAGE = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "package")
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"
DESKTOP_KEY = r"Control Panel\Desktop"
SETTINGS_KEY = r"Software\Orv\Drowsel"
SAVER = r"C:\windows\system32\drowsel.scr"
UNINSTALLER = r"C:\Program Files\Drowsel\uninstall.exe"
PENDING_KEY = r"HKLM\System\CurrentControlSet\Control\Session Manager"
# The installer's and uninstaller's exit codes, as the README's table gives them.
DONE, CANCELLED, FAILED, NEWER_INSTALLED, RESTART_NEEDED = 0, 1, 2, 3, 3010
SETUP_TITLES = ("Drowsel Setup", "Drowsel Setup ")  # the first page's, the others'


def version():
    with open(os.path.join(os.path.dirname(harness.SCR), "VERSION")) as file:
        return file.read().strip()


def values_of(output):
    """A reg query's values, name to (type, data)."""
    values = {}
    for line in output.splitlines():
        parts = line.strip().split(None, 2)
        if len(parts) >= 2 and parts[1].startswith("REG_"):
            values[parts[0]] = (parts[1], parts[2] if len(parts) == 3 else "")
    return values


class Installer(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dist = harness.artifact("release")
        subprocess.run([PACKAGE], env=dict(os.environ, DROWSEL_DIST=cls.dist), check=True,
                       stdout=subprocess.DEVNULL, timeout=300)
        cls.setup = os.path.join(cls.dist, "drowsel-%s-setup.exe" % version())
        cls.session = harness.Session()
        cls.wine = cls.session.__enter__()
        cls.prefix = os.path.join(harness.WINE_ROOT, "install-prefix")
        harness.make_fresh_prefix(cls.wine, cls.prefix)

    @classmethod
    def tearDownClass(cls):
        cls.session.__exit__(None, None, None)

    def exit_code(self, command_line):
        """Runs a Windows command line as a deployment tool does and returns its
        whole exit code once it has ended."""
        output = self.wine.run(os.path.join(harness.HELPERS, "probe.exe"), "exitcode",
                               command_line, timeout=200)[1]
        self.assertRegex(output, r"^\d+\s*$", "the command did not end: " + command_line)
        return int(output)

    def install(self, *switches):
        return self.exit_code(" ".join(['"Z:%s"' % self.setup.replace("/", "\\"), "/S"] +
                                       list(switches)))

    def entries(self):
        """The uninstall entries named Drowsel, each as its values."""
        keys = self.wine.registry("query", UNINSTALL_KEY).stdout.split()
        found = []
        for key in (k for k in keys if k.upper().startswith("HKEY_LOCAL_MACHINE")):
            values = values_of(self.wine.registry("query", key).stdout)
            if values.get("DisplayName", (None, None))[1] == "Drowsel":
                found.append(values)
        return found

    def chosen_saver(self):
        output = self.wine.registry("query", "HKCU\\" + DESKTOP_KEY, "/v", "SCRNSAVE.EXE").stdout
        return values_of(output).get("SCRNSAVE.EXE", (None, None))[1]

    def choose_saver(self, path):
        self.wine.registry("add", "HKCU\\" + DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/d", path, "/f")

    def unix_path(self, windows_path):
        return os.path.join(self.prefix, "drive_c", *windows_path[3:].split("\\"))

    def uninstall(self):
        """Runs the entry's QuietUninstallString as it stands; its exit code."""
        return self.exit_code(self.entries()[0]["QuietUninstallString"][1])

    def pending_removals(self):
        """Lower-case Windows paths that are deleted at the next restart."""
        output = self.wine.registry("query", PENDING_KEY, "/v",
                                    "PendingFileRenameOperations").stdout
        data = values_of(output).get("PendingFileRenameOperations", (None, ""))[1]
        return [entry[4:].lower() for entry in data.split("\\0") if entry.startswith("\\??\\")]

    def system_folder_files(self, pattern):
        return sorted(os.path.basename(path) for path in
                      glob.glob(os.path.join(os.path.dirname(self.unix_path(SAVER)), pattern)))

    def programs_running(self, name):
        """Linux process ids of this prefix's Windows programs of that name."""
        found = []
        for entry in (entry for entry in os.listdir("/proc") if entry.isdigit()):
            try:
                with open("/proc/%s/cmdline" % entry, "rb") as file:
                    command = file.read().split(b"\0")[0].decode(errors="replace")
                with open("/proc/%s/environ" % entry, "rb") as file:
                    environment = file.read().split(b"\0")
            except OSError:
                continue
            if (command.lower().endswith("\\" + name) and
                    ("WINEPREFIX=" + self.prefix).encode() in environment):
                found.append(int(entry))
        return found

    def setup_button(self, identifier, enabled=1):
        """The installer window's button once it takes input (or, with enabled
        0, once it does not), whichever page shows."""
        def found():
            for title in SETUP_TITLES:
                button = self.wine.control(title, identifier)
                if button and button["enabled"] == enabled:
                    return button
            return None
        button = harness.wait_until(found, 60, 0.3)
        self.assertIsNotNone(button, "no setup button %d with enabled %d" % (identifier, enabled))
        return button

    def click(self, button):
        self.wine.xdotool("mousemove", str(button["x"] + button["width"] // 2),
                          str(button["y"] + button["height"] // 2), "click", "1")

    def test_install_run_reinstall_and_uninstall(self):
        with open(harness.SCR, "rb") as file:
            product = file.read()
        self.assertEqual(self.install(), 0)
        with open(self.unix_path(SAVER), "rb") as file:
            self.assertEqual(file.read(), product)
        entries = self.entries()
        self.assertEqual(len(entries), 1)
        entry = entries[0]
        for name, expected in (("DisplayVersion", version()), ("Publisher", "Orv"),
                               ("DisplayIcon", SAVER + ",0"),
                               ("UninstallString", '"%s"' % UNINSTALLER),
                               ("QuietUninstallString", '"%s" /S' % UNINSTALLER),
                               ("NoModify", "0x1"), ("NoRepair", "0x1")):
            with self.subTest(value=name):
                self.assertEqual(entry.get(name, (None, None))[1].lower(), expected.lower())
        self.assertGreaterEqual(int(entry["EstimatedSize"][1], 16), len(product) // 1024)
        self.assertIsNone(self.chosen_saver(), "a silent install chose the saver")

        saver = self.wine.start(self.unix_path(SAVER), "/s")
        self.assertTrue(self.wine.wait_for_saver_window())
        self.assertIsNotNone(self.wine.wait_for_frame("installed.png")[0], "nothing drawn")
        self.wine.xdotool("key", "space")
        self.assertEqual(harness.wait_for_exit(saver, 10), 0)

        self.assertEqual(self.install("/ACTIVATE"), 0)
        self.assertEqual(len(self.entries()), 1)
        self.assertEqual(self.chosen_saver().lower(), SAVER.lower())

        # Under a newer version the installer refuses and leaves it as it is.
        self.wine.registry("add", UNINSTALL_KEY + r"\Drowsel", "/v", "DisplayVersion",
                           "/d", "99.0.0", "/f")
        self.assertEqual(self.install(), NEWER_INSTALLED)
        self.assertEqual(self.entries()[0]["DisplayVersion"][1], "99.0.0")

        # Another saver chosen since: the uninstaller leaves that choice alone.
        other = r"C:\windows\system32\other.scr"
        self.choose_saver(other)
        self.wine.write_dword(SETTINGS_KEY, "UseMirrors", 0)
        self.assertEqual(self.uninstall(), DONE)
        self.assertEqual(self.entries(), [])
        self.assertFalse(os.path.exists(self.unix_path(SAVER)))
        self.assertTrue(harness.wait_until(lambda: not os.path.exists(
            self.unix_path(r"C:\Program Files\Drowsel")), 20, 0.2), "the folder stayed")
        self.assertIsNone(self.wine.read_dword(SETTINGS_KEY, "UseMirrors"))
        self.assertEqual(self.chosen_saver(), other)

        # Still the chosen one, written in another case: the choice is cleared.
        self.assertEqual(self.install(), 0)
        self.choose_saver(SAVER.upper())
        self.assertEqual(self.uninstall(), DONE)
        self.assertIsNone(self.chosen_saver())

        # An install into a folder of its own keeps that folder on upgrade.
        self.assertEqual(self.install(r"/D=C:\Drowsel"), DONE)
        self.assertEqual(self.install(), DONE)
        self.assertEqual(self.entries()[0]["InstallLocation"][1], r"C:\Drowsel")
        self.assertTrue(os.path.exists(self.unix_path(r"C:\Drowsel\uninstall.exe")))
        self.assertFalse(os.path.exists(self.unix_path(UNINSTALLER)))
        self.assertEqual(self.uninstall(), DONE)

    def test_with_the_file_in_use(self):
        """What a deployment tool meets on a desk where the installed saver
        runs: each row holds drowsel.scr (the running saver, or a program that
        shares nothing), runs a command line and expects its exit code."""
        older = r"C:\windows\system32\drowsel.scr.1.old"
        with open(harness.SCR, "rb") as file:
            product = file.read()

        def upgraded():
            with open(self.unix_path(SAVER), "rb") as file:
                self.assertEqual(file.read(), product)
            self.assertEqual(self.entries()[0]["DisplayVersion"][1], version())
            self.assertIn(older.lower(), self.pending_removals())

        def unchanged():
            with open(self.unix_path(SAVER), "rb") as file:
                self.assertEqual(file.read(), product + b"older")
            self.assertEqual(self.entries()[0]["DisplayVersion"][1], "0.9.0")

        def removed():
            self.assertEqual(self.entries(), [])
            self.assertEqual(self.system_folder_files("drowsel*.scr"), [])
            for name in self.system_folder_files("drowsel*"):
                self.assertIn(r"c:\windows\system32" "\\" + name, self.pending_removals())
            self.assertTrue(harness.wait_until(lambda: not os.path.exists(
                self.unix_path(r"C:\Program Files\Drowsel")), 20, 0.2), "the folder stayed")

        cases = (("upgrade", "saver", self.install, RESTART_NEEDED, upgraded),
                 ("upgrade", "lock", self.install, FAILED, unchanged),
                 ("uninstall", "saver", self.uninstall, RESTART_NEEDED, removed))
        for action, holder, command, code, check in cases:
            with self.subTest(action=action, holder=holder):
                self.assertEqual(self.install(), DONE)
                # An older version in place: another file, an older entry.
                with open(self.unix_path(SAVER), "wb") as file:
                    file.write(product + b"older")
                self.wine.registry("add", UNINSTALL_KEY + r"\Drowsel", "/v", "DisplayVersion",
                                   "/d", "0.9.0", "/f")
                if holder == "saver":
                    running = self.wine.start(SAVER, "/s")
                    self.assertTrue(self.wine.wait_for_saver_window())
                else:
                    running = self.wine.start(os.path.join(harness.HELPERS, "probe.exe"), "hold",
                                              SAVER)
                    self.assertEqual(running.stdout.readline().strip(), "held")
                try:
                    self.assertEqual(command(), code)
                    check()
                    self.assertIsNone(running.poll(), "the holder ended")
                finally:
                    running.kill()
                    running.wait()

    def test_pages_a_user_clicks_through(self):
        """Cancel on the first page gives its exit code. The finish page's "Make
        Drowsel my screen saver" goes to the desktop's shell, which carries out
        the saver's Install verb as the person at the desk; Wine has no screen
        saver control panel and opens the saver's own settings for it."""
        setup = self.wine.start(self.setup)
        self.click(self.setup_button(2))
        self.assertEqual(harness.wait_for_exit(setup, 30), CANCELLED)

        self.wine.registry("delete", "HKCU\\" + DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/f")
        setup = self.wine.start(self.setup)
        self.click(self.setup_button(1))  # welcome
        self.assertTrue(harness.wait_until(lambda: self.wine.control(SETUP_TITLES[1], 1), 30))
        self.click(self.setup_button(1))  # licence
        self.setup_button(2, enabled=0)  # installing, then the finish page
        self.click(self.setup_button(1))
        self.assertEqual(harness.wait_for_exit(setup, 30), DONE)
        self.assertTrue(harness.wait_until(
            lambda: self.wine.control("Config dialog", 2), 30), "no settings opened")
        self.assertEqual(self.wine.probe("starter", "Config dialog").strip(), "explorer.exe")
        self.assertIsNone(self.chosen_saver(), "the installer itself chose the saver")
        self.wine.click_control("Config dialog", 2)
        self.assertTrue(harness.wait_until(lambda: not self.programs_running("drowsel.scr"), 30),
                        "the settings did not end")

    def test_checksums_verify_and_the_zip_holds_the_product(self):
        checked = subprocess.run(["sha256sum", "-c", "SHA256SUMS"], cwd=self.dist,
                                 stdout=subprocess.PIPE, text=True, timeout=60)
        self.assertEqual(checked.returncode, 0, checked.stdout)
        self.assertEqual(len(checked.stdout.splitlines()), 3)  # installer, zip, .deb
        with zipfile.ZipFile(os.path.join(self.dist, "drowsel-%s-win64.zip" % version())) as zip:
            self.assertEqual(sorted(zip.namelist()), ["LICENSE.txt", "README.txt", "drowsel.scr"])
            with open(harness.SCR, "rb") as file:
                self.assertEqual(hashlib.sha256(zip.read("drowsel.scr")).digest(),
                                 hashlib.sha256(file.read()).digest())


if __name__ == "__main__":
    unittest.main()
