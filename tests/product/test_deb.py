"""The hack's Debian package, built by dpkg-buildpackage: lintian, pedantic,
finds no error or warning, the hack has Debian's hardening, it installs with
apt-get from the file, dpkg lists its files where xscreensaver and the desktops
look (and README.Debian), and it removes cleanly. Needs root, as CI has."""

import os
import subprocess
import sys
import tempfile
import unittest

PACKAGE = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "package")
HARDENING = ["Position Independent Executable", "Stack protected", "Fortify Source functions",
             "Read-only relocations", "Immediate binding"]
FILES = ["/usr/libexec/xscreensaver/drowsel", "/usr/share/xscreensaver/config/drowsel.xml",
         "/usr/share/applications/screensavers/drowsel.desktop",
         "/usr/share/man/man6/drowsel.6.gz", "/usr/share/doc/drowsel/README.Debian"]


def run(*command):
    return subprocess.run(list(command), stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True, timeout=600,
                          env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))


class DebianPackage(unittest.TestCase):
    def test_lintian_clean_installs_lists_its_files_and_removes(self):
        with tempfile.TemporaryDirectory() as work:
            dist = os.path.join(work, "dist")
            subprocess.run([PACKAGE], env=dict(os.environ, DROWSEL_DIST=dist), check=True,
                           stdout=subprocess.DEVNULL, timeout=300)
            debs = [name for name in os.listdir(dist) if name.endswith("_amd64.deb")]
            self.assertEqual(len(debs), 1, os.listdir(dist))
            deb = os.path.join(dist, debs[0])
            checked = run("lintian", "--pedantic", "--fail-on", "error,warning", deb)
            self.assertEqual(checked.returncode, 0, checked.stdout)
            self.assertFalse([line for line in checked.stdout.splitlines()
                              if line[:3] in ("E: ", "W: ")], checked.stdout)
            try:
                installed = run("apt-get", "install", "-y", "--no-install-recommends", deb)
                self.assertEqual(installed.returncode, 0, installed.stdout)
                listed = run("dpkg", "-L", "drowsel").stdout.split()
                for path in FILES:
                    self.assertIn(path, listed)
                    self.assertTrue(os.path.exists(path), path)
                hardened = run("hardening-check", FILES[0]).stdout
                for feature in HARDENING:
                    self.assertIn(" %s: yes" % feature, hardened)
                usage = run("/usr/libexec/xscreensaver/drowsel", "-help")
                self.assertEqual(usage.returncode, 0)
                self.assertIn("usage:", usage.stdout)
            finally:
                removed = run("apt-get", "purge", "-y", "drowsel")
            self.assertEqual(removed.returncode, 0, removed.stdout)
            self.assertNotEqual(run("dpkg", "-s", "drowsel").returncode, 0)
            for path in FILES:
                self.assertFalse(os.path.exists(path), path)


if __name__ == "__main__":
    sys.exit(unittest.main())
