"""The product must import KnownDLLs only: system DLLs that Windows never looks for
in the program's own folder, so that a DLL left beside it cannot be loaded in
their place, and copying the one file installs it. It must be small: at most
1 MiB, with no debug sections. It is hardened: a stack protector (the debug file
names __stack_chk_fail) beside ASLR with high-entropy addresses and DEP. And anyone must be able to build it again bit for
bit: its time stamp is the release time, and neither it nor its debug file holds
the folder it was built in."""

import os
import struct
import subprocess
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))

# The KnownDLLs that a program like this one may need; OpenGL, GLU and MPR are not
# among them and are loaded from the system folder by the program itself.
KNOWN_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "msvcrt.dll",
              "shell32.dll", "comdlg32.dll", "ole32.dll", "oleaut32.dll", "imm32.dll"}


def main(path):
    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", path], check=True,
                          stdout=subprocess.PIPE, text=True).stdout
    if "file format pei-x86-64" not in dump:
        print("not a Windows x86_64 program:", path)
        return 1
    imports = [line.split(":", 1)[1].strip() for line in dump.splitlines()
               if line.strip().startswith("DLL Name:")]
    foreign = [name for name in imports if name.lower() not in KNOWN_DLLS]
    print("imports:", ", ".join(imports))
    if foreign or not imports:
        print("not KnownDLLs:", ", ".join(foreign))
        return 1
    size = os.path.getsize(path)
    print("size:", size, "bytes")
    if size > 1 << 20 or ".debug_info" in subprocess.run(
            ["x86_64-w64-mingw32-objdump", "-h", path], check=True, stdout=subprocess.PIPE,
            text=True).stdout:
        print("over 1 MiB, or carrying debug sections")
        return 1
    return 0 if hardened(path, dump) and reproducible(path) else 1


def hardened(path, dump):
    flags = int(dump.split("DllCharacteristics", 1)[1].split()[0], 16)
    missing = [name for name, bit in (("ASLR", 0x40), ("high-entropy addresses", 0x20),
                                      ("DEP", 0x100)) if not flags & bit]
    symbols = subprocess.run(["x86_64-w64-mingw32-nm", os.path.splitext(path)[0] + ".debug"],
                             check=True, stdout=subprocess.PIPE, text=True).stdout
    if "__stack_chk_fail" not in symbols:
        missing.append("stack protector")
    print("hardening missing:", ", ".join(missing) or "none")
    return not missing


def reproducible(path):
    with open(path, "rb") as file:
        program = file.read()
    header = struct.unpack_from("<I", program, 0x3C)[0]  # the PE header's offset
    stamp = struct.unpack_from("<I", program, header + 8)[0]
    release = int(subprocess.run([os.path.join(ROOT, "scripts", "release_time")], check=True,
                                 stdout=subprocess.PIPE, text=True).stdout)
    print("time stamp:", stamp, "release time:", release)
    if stamp not in (0, release):
        print("the time stamp is neither none nor the release time")
        return False
    folders = {os.path.dirname(os.path.abspath(path)), ROOT}
    for name in (path, os.path.splitext(path)[0] + ".debug"):
        with open(name, "rb") as file:
            data = file.read()
        for folder in folders:
            if folder.encode() in data:
                print(os.path.basename(name), "holds the build folder", folder)
                return False
    return True


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
