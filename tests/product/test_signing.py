"""With a certificate and key, scripts/package signs drowsel.scr, the
uninstaller the installer carries and the installer, each with a signature
whose digest matches the file; without them it builds unsigned and says so;
a missing tool stops it with one line; a file of the user's in its folder
survives every run."""

import lzma
import os
import struct
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


NSIS_SIGNATURE = b"\xef\xbe\xad\xdeNullsoftInst"


def packed_files(setup):
    """The files an NSIS installer carries: its data is one solid LZMA stream
    after its first header, the script's header and then each file, every
    block behind its 32-bit length."""
    with open(setup, "rb") as file:
        data = file.read()
    start = data.find(NSIS_SIGNATURE) + len(NSIS_SIGNATURE) + 8
    properties, dictionary = data[start], struct.unpack_from("<I", data, start + 1)[0]
    decompressor = lzma.LZMADecompressor(format=lzma.FORMAT_RAW, filters=[{
        "id": lzma.FILTER_LZMA1, "dict_size": dictionary, "lc": properties % 9,
        "lp": properties // 9 % 5, "pb": properties // 45}])
    blocks, stream, position = [], decompressor.decompress(data[start + 5:]), 0
    while position + 4 <= len(stream):
        length = struct.unpack_from("<I", stream, position)[0] & 0x7FFFFFFF
        blocks.append(stream[position + 4:position + 4 + length])
        position += 4 + length
    return blocks[1:]


class Signing(unittest.TestCase):
    def test_signed_release_and_bad_input(self):
        with tempfile.TemporaryDirectory() as work:
            key, certificate = os.path.join(work, "key.pem"), os.path.join(work, "cert.pem")
            subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes",
                            "-keyout", key, "-out", certificate, "-days", "2",
                            "-subj", "/CN=Drowsel test signing"],
                           check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            # A folder of the user's: what it holds besides the release is kept.
            dist = os.path.join(work, "dist")
            os.mkdir(dist)
            users_file = os.path.join(dist, "notes.txt")
            with open(users_file, "w") as file:
                file.write("mine\n")
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
            # The uninstaller is the one NSIS program among the installer's files.
            uninstallers = [data for data in packed_files(os.path.join(dist, setup))
                            if data.startswith(b"MZ") and NSIS_SIGNATURE in data]
            self.assertEqual(len(uninstallers), 1)
            with open(os.path.join(work, "uninstall.exe"), "wb") as file:
                file.write(uninstallers[0])
            for path in (os.path.join(work, "drowsel.scr"), os.path.join(work, "uninstall.exe"),
                         os.path.join(dist, setup)):
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
            with open(users_file) as file:
                self.assertEqual(file.read(), "mine\n")


if __name__ == "__main__":
    sys.exit(unittest.main())
