#!/usr/bin/env python3
"""Static checks of a Windows PE file, read through a mingw objdump.

  check_pe.py OBJDUMP exports FILE NAME...   the named exports exist undecorated,
                                            at ordinals 1, 2, ... in the given order
  check_pe.py OBJDUMP imports FILE...       every imported DLL is a system DLL
  check_pe.py OBJDUMP imports-under DIR     the same for every .dll and .exe built under DIR
"""
import os
import re
import subprocess
import sys

# DLLs every Windows installation carries. Anything else (libstdc++-6.dll,
# libgcc_s_*.dll, libwinpthread-1.dll, ...) means a runtime was not linked in.
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll",
    "shell32.dll", "shlwapi.dll", "ole32.dll", "oleaut32.dll", "advapi32.dll",
    "msvcrt.dll", "version.dll", "uxtheme.dll", "winmm.dll", "msimg32.dll",
    "ntdll.dll", "ws2_32.dll", "imm32.dll", "bcrypt.dll", "crypt32.dll",
}


def private_headers(objdump, path):
    return subprocess.run([objdump, "-p", path], check=True, capture_output=True,
                          text=True).stdout


def exported_ordinals(text):
    base = re.search(r"Export Address Table -- Ordinal Base (\d+)", text)
    if not base:
        return {}
    base = int(base.group(1))
    table = text.split("[Ordinal/Name Pointer] Table", 1)
    if len(table) < 2:
        return {}
    ordinals = {}
    for line in table[1].splitlines()[1:]:
        m = re.match(r"\s*\[\s*(\d+)\]\s+(\S+)\s*$", line)
        if not m:
            break
        ordinals[m.group(2)] = int(m.group(1)) + base
    return ordinals


def check_exports(objdump, path, names):
    found = exported_ordinals(private_headers(objdump, path))
    problems = []
    for expected, name in enumerate(names, start=1):
        if name not in found:
            problems.append(f"{name}: not exported")
        elif found[name] != expected:
            problems.append(f"{name}: ordinal {found[name]}, expected {expected}")
    decorated = sorted(n for n in found if "@" in n or n.startswith("_"))
    if decorated:
        problems.append("decorated names exported: " + ", ".join(decorated))
    return problems


def check_imports(objdump, path):
    dlls = re.findall(r"DLL Name: (\S+)", private_headers(objdump, path))
    if not dlls:
        return [f"{path}: no import table found"]
    return [f"imports non-system DLL {d}" for d in dlls
            if d.lower() not in SYSTEM_DLLS and not d.lower().startswith("api-ms-win-")]


def built_binaries(root):
    for folder, dirs, files in os.walk(root):
        dirs[:] = [d for d in dirs if d != "CMakeFiles"]
        for f in sorted(files):
            if f.lower().endswith((".dll", ".exe")):
                yield os.path.join(folder, f)


def main(argv):
    if len(argv) < 4 or argv[2] not in ("exports", "imports", "imports-under"):
        print(__doc__, file=sys.stderr)
        return 2
    objdump, what = argv[1], argv[2]
    if what == "exports":
        checks = [(argv[3], check_exports(objdump, argv[3], argv[4:]))]
    else:
        paths = list(built_binaries(argv[3])) if what == "imports-under" else argv[3:]
        if not paths:
            print(f"{argv[3]}: no .dll or .exe found")
            return 1
        checks = [(p, check_imports(objdump, p)) for p in paths]
    failed = False
    for path, problems in checks:
        for p in problems:
            print(f"{path}: {p}")
        if not problems:
            print(f"{path}: {what.split('-')[0]} ok")
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
