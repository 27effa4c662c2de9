#!/usr/bin/env python3
"""Writes the mails of the save and removal end-to-end tests, and the bytes
each attachment must decode to.

  make_mails.py OUTDIR

OUTDIR/ops/*.eml     four mails a day apart, each with a text body:
                     Alpha: a.bin (base64), notes.txt (7bit, LF line ends)
                     Beta:  a.bin (base64, other bytes), b.dat (quoted-printable)
                     Gamma: odd.bin (a transfer encoding nobody decodes)
                     Delta: c.bin, d.bin (base64)
OUTDIR/same/*.eml    four mails a day apart, for saving files of one name:
                     Epsilon, Zeta, Eta: a.bin each (base64, each its own bytes)
                     Theta: a name of 300 bytes ending in ".bin" (base64)
OUTDIR/detach/*.eml  four mails a day apart, for saving, then deleting:
                     Kappa:  k1.bin, k2.bin (base64)
                     Lambda: l.bin (base64), l.odd (an encoding nobody decodes)
                     Mu:     m1.bin, m2.bin (base64)
                     Nu:     n1.bin, n2.bin (base64)
OUTDIR/expected/MAIL-NAME  the decoded bytes, e.g. expected/Beta-a.bin
OUTDIR/dates         "MAIL-NAME SECONDS" a line: each mail's date, Unix time
"""
import base64
import os
import quopri
import random
import sys

DAY = 86400
BASE = 1704283200  # 2024-01-03 12:00 UTC: the same day in the host's +9 hours


def part(name, encoding, body_bytes):
    lines = [f'Content-Type: application/octet-stream; name="{name}"']
    if encoding:
        lines.append(f"Content-Transfer-Encoding: {encoding}")
    lines.append(f'Content-Disposition: attachment; filename="{name}"')
    return "\r\n".join(lines).encode() + b"\r\n\r\n" + body_bytes


def base64_part(name, data):
    encoded = base64.encodebytes(data).replace(b"\n", b"\r\n")
    return part(name, "base64", encoded), data


def mail(subject, day, parts):
    boundary = f"=_{subject}.b+1"
    head = (f"From: {subject.lower()}@example.com\r\nSubject: {subject}\r\n"
            f"Date: {format_date(BASE + day * DAY)}\r\nMIME-Version: 1.0\r\n"
            f'Content-Type: multipart/mixed; boundary="{boundary}"\r\n\r\n'
            "This is a multi-part message in MIME format.\r\n").encode()
    text = b"Content-Type: text/plain; charset=us-ascii\r\nContent-Transfer-Encoding: 7bit\r\n\r\nsee attached\r\n"
    body = b"".join(b"--" + boundary.encode() + b"\r\n" + p + b"\r\n" for p in [text] + parts)
    return head + body + b"--" + boundary.encode() + b"--\r\n"


def format_date(seconds):
    from email.utils import formatdate
    return formatdate(seconds)


def main():
    out = sys.argv[1]
    rng = random.Random(9)
    expected = {}

    def blob(n):
        return bytes(rng.randrange(256) for _ in range(n))

    mails = {}
    a1, expected["Alpha-a.bin"] = base64_part("a.bin", blob(700))
    notes = part("notes.txt", "7bit", b"line one\nline two\n")
    # Line ends become CR LF; the one before the next delimiter is the
    # delimiter's, not the file's.
    expected["Alpha-notes.txt"] = b"line one\r\nline two\r\n"
    mails["Alpha"] = mail("Alpha", 0, [a1, notes])

    a2, expected["Beta-a.bin"] = base64_part("a.bin", blob(500))
    qp_body = b"caf=C3=A9 =3D done\r\nsoft=\r\nbreak\r\n"
    expected["Beta-b.dat"] = quopri.decodestring(qp_body)
    mails["Beta"] = mail("Beta", 1, [a2, part("b.dat", "quoted-printable", qp_body)])

    mails["Gamma"] = mail("Gamma", 2, [part("odd.bin", "x-uuencode", b"begin 644 odd.bin\r\nend\r\n")])

    c, expected["Delta-c.bin"] = base64_part("c.bin", blob(900))
    d, expected["Delta-d.bin"] = base64_part("d.bin", blob(300))
    mails["Delta"] = mail("Delta", 3, [c, d])

    same = {}
    for day, subject in enumerate(["Epsilon", "Zeta", "Eta"], 4):
        encoded, expected[f"{subject}-a.bin"] = base64_part("a.bin", blob(400 + 100 * day))
        same[subject] = mail(subject, day, [encoded])
    long_name = "x" * 296 + ".bin"
    encoded, expected["Theta-long.bin"] = base64_part(long_name, blob(200))
    same["Theta"] = mail("Theta", 7, [encoded])
    dates = [f"{subject} {BASE + day * DAY}" for day, subject in
             enumerate(["Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta", "Eta", "Theta"])]

    detach = {}
    for day, (subject, names) in enumerate([("Kappa", ["k1.bin", "k2.bin"]), ("Lambda", ["l.bin", "l.odd"]),
                                            ("Mu", ["m1.bin", "m2.bin"]), ("Nu", ["n1.bin", "n2.bin"])], 8):
        parts = []
        for number, name in enumerate(names):
            if name.endswith(".odd"):
                parts.append(part(name, "x-uuencode", b"begin 644 l.odd\r\nend\r\n"))
                continue
            encoded, expected[f"{subject}-{name}"] = base64_part(name, blob(200 + 100 * number))
            parts.append(encoded)
        detach[subject] = mail(subject, day, parts)
        dates.append(f"{subject} {BASE + day * DAY}")

    os.makedirs(os.path.join(out, "expected"), exist_ok=True)
    for folder, folder_mails in (("ops", mails), ("same", same), ("detach", detach)):
        os.makedirs(os.path.join(out, folder), exist_ok=True)
        for number, (subject, source) in enumerate(folder_mails.items(), 1):
            with open(os.path.join(out, folder, f"{number}-{subject}.eml"), "wb") as f:
                f.write(source)
    with open(os.path.join(out, "dates"), "w") as f:
        f.write("\n".join(dates) + "\n")
    for name, data in expected.items():
        with open(os.path.join(out, "expected", name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
