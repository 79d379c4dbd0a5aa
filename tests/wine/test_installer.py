"""The release: the installer in a fresh prefix (silent install, the entry in
Settings > Apps, the installed saver running, a second install, the switch that
makes it the current saver, refusal under a newer version, silent uninstall),
the checksums and the zip."""

import hashlib
import os
import subprocess
import sys
import unittest
import zipfile

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402

PACKAGE = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "package")
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"
DESKTOP_KEY = r"Control Panel\Desktop"
SETTINGS_KEY = r"Software\Orv\Drowsel"
SAVER = r"C:\windows\system32\drowsel.scr"
UNINSTALLER = r"C:\Program Files\Drowsel\uninstall.exe"


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

    def install(self, *switches):
        return self.wine.run(self.setup, "/S", *switches, timeout=120)[0]

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
        # The uninstaller runs on from a copy of itself, so its end is polled for.
        self.wine.run(self.unix_path(UNINSTALLER), "/S", timeout=60)
        self.assertTrue(harness.wait_until(lambda: not self.entries() and not os.path.exists(
            self.unix_path(SAVER)), 60, 0.5), "the uninstaller did not finish")

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
        self.assertNotEqual(self.install(), 0)
        self.assertEqual(self.entries()[0]["DisplayVersion"][1], "99.0.0")

        # Another saver chosen since: the uninstaller leaves that choice alone.
        other = r"C:\windows\system32\other.scr"
        self.choose_saver(other)
        self.wine.write_dword(SETTINGS_KEY, "UseMirrors", 0)
        self.uninstall()
        self.assertFalse(os.path.exists(self.unix_path(r"C:\Program Files\Drowsel")))
        self.assertIsNone(self.wine.read_dword(SETTINGS_KEY, "UseMirrors"))
        self.assertEqual(self.chosen_saver(), other)

        # Still the chosen one, written in another case: the choice is cleared.
        self.assertEqual(self.install(), 0)
        self.choose_saver(SAVER.upper())
        self.uninstall()
        self.assertIsNone(self.chosen_saver())

    def test_checksums_verify_and_the_zip_holds_the_product(self):
        checked = subprocess.run(["sha256sum", "-c", "SHA256SUMS"], cwd=self.dist,
                                 stdout=subprocess.PIPE, text=True, timeout=60)
        self.assertEqual(checked.returncode, 0, checked.stdout)
        self.assertEqual(len(checked.stdout.splitlines()), 2)
        with zipfile.ZipFile(os.path.join(self.dist, "drowsel-%s-win64.zip" % version())) as zip:
            self.assertEqual(sorted(zip.namelist()), ["README.txt", "drowsel.scr"])
            with open(harness.SCR, "rb") as file:
                self.assertEqual(hashlib.sha256(zip.read("drowsel.scr")).digest(),
                                 hashlib.sha256(file.read()).digest())


if __name__ == "__main__":
    unittest.main()
