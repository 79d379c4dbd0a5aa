"""With a certificate and key, scripts/package signs drowsel.scr and the
installer, each with a signature whose digest matches the file; without them
it builds unsigned and says so; a missing product stops it with one line."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile

ROOT = os.path.join(os.path.dirname(__file__), "..", "..")
PACKAGE = os.path.join(ROOT, "scripts", "package")


def verify(path, certificate):
    """osslsigncode's verdict on path, and its current and calculated digests."""
    output = subprocess.run(["osslsigncode", "verify", "-in", path, "-CAfile", certificate],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                            timeout=60).stdout
    digests = {}
    for line in output.splitlines():
        for kind in ("Current", "Calculated"):
            if line.strip().startswith(kind + " message digest"):
                digests[kind] = line.split(":", 1)[1].strip()
    return output, digests


class Signing(unittest.TestCase):
    def test_signed_release_and_bad_input(self):
        with tempfile.TemporaryDirectory() as work:
            key, certificate = os.path.join(work, "key.pem"), os.path.join(work, "cert.pem")
            subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes",
                            "-keyout", key, "-out", certificate, "-days", "2",
                            "-subj", "/CN=Drowsel test signing"],
                           check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            dist = os.path.join(work, "dist")
            environment = dict(os.environ, DROWSEL_DIST=dist, DROWSEL_SIGN_CERT=certificate,
                               DROWSEL_SIGN_KEY=key)
            environment.pop("DROWSEL_SIGN_TIMESTAMP", None)
            done = subprocess.run([PACKAGE], env=environment, stdout=subprocess.PIPE, text=True,
                                  timeout=300)
            self.assertEqual(done.returncode, 0)
            self.assertIn("signed release", done.stdout)
            setup = [name for name in os.listdir(dist) if name.endswith("-setup.exe")][0]
            archive = [name for name in os.listdir(dist) if name.endswith(".zip")][0]
            with zipfile.ZipFile(os.path.join(dist, archive)) as zip:
                zip.extract("drowsel.scr", work)
            for path in (os.path.join(work, "drowsel.scr"), os.path.join(dist, setup)):
                with self.subTest(file=os.path.basename(path)):
                    output, digests = verify(path, certificate)
                    self.assertIn("Signature verification: ok", output)
                    self.assertEqual(len(digests), 2, output)
                    self.assertEqual(digests["Current"], digests["Calculated"])

            # Unsigned without the variables; a missing product leaves dist/ as it was.
            del environment["DROWSEL_SIGN_CERT"], environment["DROWSEL_SIGN_KEY"]
            done = subprocess.run([PACKAGE], env=environment, stdout=subprocess.PIPE, text=True,
                                  timeout=300)
            self.assertEqual(done.returncode, 0)
            self.assertIn("unsigned", done.stdout)
            before = sorted(os.listdir(dist))
            # Every tool but makensis.
            tools = os.path.join(work, "tools")
            os.mkdir(tools)
            for tool in ("dirname", "cat", "mkdir", "mktemp", "rm", "mv", "cp", "sed", "tail",
                         "zip", "sha256sum"):
                os.symlink(shutil.which(tool), os.path.join(tools, tool))
            environment["PATH"] = tools
            failed = subprocess.run(["/bin/sh", PACKAGE], env=environment,
                                    stderr=subprocess.PIPE, text=True, timeout=60)
            self.assertNotEqual(failed.returncode, 0)
            self.assertEqual(len(failed.stderr.strip().splitlines()), 1, failed.stderr)
            self.assertEqual(sorted(os.listdir(dist)), before)
            self.assertEqual([name for name in os.listdir(work) if "partial" in name], [])


if __name__ == "__main__":
    sys.exit(unittest.main())
