#!/usr/bin/env python3
"""Static checks of a Windows PE file, read through a mingw objdump.

  check_pe.py OBJDUMP exports FILE NAME...   the named exports exist undecorated,
                                            at ordinals 1, 2, ... in the given order
  check_pe.py OBJDUMP imports FILE...       every imported DLL is a system DLL
  check_pe.py OBJDUMP imports-under DIR     the same for every .dll and .exe built under DIR
  check_pe.py OBJDUMP callee-pops FILE NAME:ARGC...
                                            every return of each i686 export removes
                                            exactly 4 x ARGC bytes of arguments ("ret N")
  check_pe.py OBJDUMP caller-cleans FILE NAME...
                                            every return of each i686 export removes
                                            nothing: the caller removes the arguments
  check_pe.py OBJDUMP version FILE A.B.C.D TEXT
                                            the version record holds file version A.B.C.D
                                            and the product version text TEXT
"""
import os
import re
import struct
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


def export_addresses(text):
    """Virtual address of each named export."""
    image_base = int(re.search(r"^ImageBase\s+([0-9a-fA-F]+)", text, re.M).group(1), 16)
    rvas = {}
    table = text.split("Export Address Table --", 1)
    if len(table) == 2:
        for line in table[1].splitlines()[1:]:
            m = re.match(r"\s*\[\s*(\d+)\]\s+\+base\[\s*(\d+)\]\s+([0-9a-fA-F]+)\s+Export RVA", line)
            if not m:
                break
            rvas[int(m.group(2))] = int(m.group(3), 16)
    return {name: image_base + rvas[ordinal]
            for name, ordinal in exported_ordinals(text).items() if ordinal in rvas}


def function_body(objdump, path, address):
    """The instructions from address up to the next symbol, as (address, text)."""
    out = subprocess.run([objdump, "-d", "--no-show-raw-insn", f"--start-address={address:#x}",
                          f"--stop-address={address + 0x1000:#x}", path],
                         check=True, capture_output=True, text=True).stdout
    body = []
    for line in out.splitlines():
        if re.match(r"^[0-9a-f]+ <.*>:$", line):
            if body:
                break
            continue
        m = re.match(r"^\s*([0-9a-f]+):\s+(.*)$", line)
        if m:
            body.append((int(m.group(1), 16), m.group(2).split("#")[0].strip()))
    return body


def function_returns(objdump, path, address, seen=None):
    """The "ret" instructions that end a call of the function at address,
    including those of the functions it jumps to in tail position."""
    seen = set() if seen is None else seen
    seen.add(address)
    body = function_body(objdump, path, address)
    if not body:
        return []
    last = body[-1][0]
    returns = []
    for _, instruction in body:
        if re.match(r"^(ret|retl)\b", instruction):
            returns.append(instruction)
        jump = re.match(r"^j[a-z]+\s+([0-9a-f]+)\s+<", instruction)
        if jump:
            target = int(jump.group(1), 16)
            if not address <= target <= last and target not in seen:
                returns += function_returns(objdump, path, target, seen)
    return returns


def check_pops(objdump, path, expected_pops):
    """Each export's returns remove exactly the bytes given for its name."""
    addresses = export_addresses(private_headers(objdump, path))
    problems = []
    for name, expected in expected_pops:
        if name not in addresses:
            problems.append(f"{name}: not exported")
            continue
        returns = function_returns(objdump, path, addresses[name])
        if not returns:
            problems.append(f"{name}: no return found")
        for ret in returns:
            m = re.match(r"^retl?\s+\$(0x[0-9a-f]+)$", ret)
            popped = int(m.group(1), 16) if m else 0
            if popped != expected:
                problems.append(f"{name}: '{ret}' removes {popped} bytes, expected {expected}")
    return problems


def version_string(data, key):
    """A value of the version record's string table (UTF-16, 32-bit aligned)."""
    at = data.find((key + "\0").encode("utf-16-le"))
    if at < 0:
        return None
    at += len(key) * 2 + 2
    at += -at % 4
    end = data.find(b"\0\0", at)
    while end >= 0 and (end - at) % 2:
        end = data.find(b"\0\0", end + 1)
    return data[at:end].decode("utf-16-le")


def check_version(path, file_version, product_version):
    data = open(path, "rb").read()
    at = data.find(struct.pack("<I", 0xFEEF04BD))
    if at < 0:
        return ["no version record"]
    ms, ls = struct.unpack_from("<II", data, at + 8)
    found = f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
    problems = []
    if found != file_version:
        problems.append(f"file version {found}, expected {file_version}")
    for key, expected in (("FileVersion", file_version), ("ProductVersion", product_version)):
        text = version_string(data, key)
        if text != expected:
            problems.append(f"{key} text {text!r}, expected {expected!r}")
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
    if len(argv) < 4 or argv[2] not in ("exports", "imports", "imports-under", "callee-pops",
                                          "caller-cleans", "version"):
        print(__doc__, file=sys.stderr)
        return 2
    objdump, what = argv[1], argv[2]
    if what == "exports":
        checks = [(argv[3], check_exports(objdump, argv[3], argv[4:]))]
    elif what == "version":
        if len(argv) != 6:
            print(__doc__, file=sys.stderr)
            return 2
        checks = [(argv[3], check_version(argv[3], argv[4], argv[5]))]
    elif what == "callee-pops":
        pops = [(name, int(argc) * 4) for name, argc in (e.split(":") for e in argv[4:])]
        checks = [(argv[3], check_pops(objdump, argv[3], pops))]
    elif what == "caller-cleans":
        checks = [(argv[3], check_pops(objdump, argv[3], [(name, 0) for name in argv[4:]]))]
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
