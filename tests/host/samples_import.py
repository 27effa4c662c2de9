#!/usr/bin/env python3
"""The sample folders import into the store as a user would expect:
every mail stored byte for byte (with CR LF line ends), subjects decoded
into Shift_JIS, and the attachment flag on exactly the mails with named parts.

  samples_import.py QBX GENERATOR WORKDIR
"""
import os
import shutil
import subprocess
import sys

qbx, generator, work = sys.argv[1:4]
shutil.rmtree(work, ignore_errors=True)
subprocess.run([sys.executable, generator, f"{work}/samples"], check=True)
failures = []
for name in ("japanese", "english"):
    files = sorted(os.listdir(f"{work}/samples/{name}"))
    folder = f"{work}/data/Mail/{name}"
    subprocess.run([qbx, "import", folder] + [f"{work}/samples/{name}/{f}" for f in files],
                   check=True, capture_output=True)
    with open(f"{folder}/Folder.idx", "rb") as f:
        lines = [l.rstrip(b"\r\n").split(b"\x01") for l in f]
    if len(lines) != len(files):
        failures.append(f"{name}: {len(lines)} index lines for {len(files)} files")
    for fields, file in zip(lines, files):
        with open(f"{work}/samples/{name}/{file}", "rb") as f:
            expected = f.read().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
        mail_id = f"Mail/{name}/?{fields[1].decode()}"
        stored = subprocess.run([qbx, "source", f"{work}/data", mail_id], check=True, capture_output=True).stdout
        if stored != expected:
            failures.append(f"{mail_id}: source differs from {file}")
        # An HTML body is stored as a named part, so its mail counts as one with files.
        has_files = b"Content-Disposition: attachment" in expected or b'; name="' in expected
        if bool(int(fields[12], 16) & 8) != has_files:
            failures.append(f"{mail_id}: attachment flag {fields[12]}")
        if len(fields) < 17:
            failures.append(f"{mail_id}: {len(fields)} fields")
    if name == "japanese":
        subjects = [l[3].decode("cp932") for l in lines]
        if subjects[0] != "見積書の送付" or "添付ファイル４０個" not in subjects:
            failures.append(f"subjects: {subjects}")
for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
