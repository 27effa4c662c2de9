#!/usr/bin/env python3
"""Judges the full rules with Python's email package: for mails in the shapes
common mailers write (mail_shapes.py), imported into a folder with qbx, the
leaves Python's parser finds to be attachments, their names and their decoded
bytes must be what `qbx scan` lists and `qbx save` writes, nested parts
included. Names are compared in code page 932, as a Japanese system shows
them.

  check_full_rules.py QBX WORK-DIR
"""
import email
import email.message
import email.policy
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import mail_shapes  # noqa: E402

STAND_IN = "〓".encode("cp932")
# The extension an unnamed part is listed with, by type.
TYPE_EXTENSIONS = {"audio/mpeg": "mp3", "video/mp4": "mp4", "image/png": "png", "text/calendar": "ics",
                   "message/rfc822": "eml", "application/octet-stream": "bin"}


def local_name(name):
    """The name in code page 932: a stand-in for what it lacks, blanks for controls."""
    out = b""
    for c in name:
        if ord(c) < 0x20 or ord(c) == 0x7F:
            out += b" "
            continue
        try:
            out += c.encode("cp932")
        except UnicodeEncodeError:
            out += STAND_IN
    return out


def raw_parameter(part, header, key):
    """A parameter's bytes as written, for names in no declared charset."""
    for field, value in part.raw_items():
        if field.lower() == header:
            for chunk in email.message._parseparam(value)[1:]:
                if chunk.lower().startswith(key + "="):
                    return email.utils.unquote(chunk[len(key) + 1:]).encode("ascii", "surrogateescape")
    return None


def declared_name(part):
    name = part.get_filename()
    if name and "\ufffd" in name:
        # Python reads raw 8-bit text as UTF-8; other raw bytes are Shift_JIS here.
        raw = raw_parameter(part, "content-disposition", "filename") or raw_parameter(part, "content-type", "name")
        name = raw.decode("cp932")
    return name or None


def leaves(part, path=()):
    """(path, part) for every leaf, message/rfc822 being one."""
    if part.get_content_maintype() == "multipart" and part.is_multipart():
        for number, child in enumerate(part.get_payload(), 1):
            yield from leaves(child, path + (number,))
    else:
        yield path, part


def expected_rows(source):
    """What the full rules list, by Python's reading of the mail."""
    message = email.message_from_bytes(source, policy=email.policy.default)
    top = message.get_payload() if message.is_multipart() else []
    plain_parts = sum(1 for p in top if p.get("content-type", "").strip().lower().startswith("text/plain"))
    rows = []
    for path, part in leaves(message):
        kind = part.get_content_type()
        name = declared_name(part)
        if kind == "text/html" and not name and len(path) == 1:
            # A top-level HTML part beside a text part is listed as the classic rules list it.
            if plain_parts:
                rows.append((path, "NoName.html", part, True))
            continue
        attachment = part.get_content_disposition() == "attachment" or name or kind not in ("text/plain", "text/html")
        if not attachment or part.get_content_maintype() == "multipart":
            continue
        rows.append((path, name or "NoName." + TYPE_EXTENSIONS[kind], part, False))
    return rows


def leaf_summary(message):
    return [(p, part.get_content_type(), part.get_filename(), part.get_payload(decode=True))
            for p, part in leaves(message)]


def run(*args):
    return subprocess.run(args, check=True, stdout=subprocess.PIPE).stdout


def main():
    qbx, work = sys.argv[1], sys.argv[2]
    shutil.rmtree(work, ignore_errors=True)
    eml = os.path.join(work, "eml")
    os.makedirs(eml)
    paths = []
    for name, data in mail_shapes.shapes():
        paths.append(os.path.join(eml, name))
        with open(paths[-1], "wb") as f:
            f.write(data)
    data_dir = os.path.join(work, "data")
    run(qbx, "import", os.path.join(data_dir, "box", "in"), *paths)
    listing = [line.split(b"\t") for line in run(qbx, "scan", data_dir, "box/in/", "--rules", "full").splitlines()]
    classic = run(qbx, "scan", data_dir, "box/in/", "--rules", "classic").splitlines()

    failures = []
    by_mail = {}
    for row in listing:
        by_mail.setdefault(row[0].decode(), []).append(row)
    # qbx save numbers rows as the grid does: newest mail first.
    grid = [row for mail in reversed(list(by_mail)) for row in by_mail[mail]]
    checked = 0
    for mail_id, rows in by_mail.items():
        source = run(qbx, "source", data_dir, mail_id)
        subject = email.message_from_bytes(source)["subject"]
        expected = expected_rows(source)
        ours = [(tuple(int(n) for n in r[6].split(b".")), r[2], r[5] == b"1") for r in rows]
        theirs = [(path, local_name(name), html) for path, name, _, html in expected]
        if ours != theirs:
            failures.append("%s: listed %r, Python's reading %r" % (subject, ours, theirs))
            continue
        for (path, name, part, _), row in zip(expected, rows):
            destination = os.path.join(work, "saved.bin")
            if os.path.exists(destination):
                os.remove(destination)
            run(qbx, "save", data_dir, "box/in/", str(grid.index(row) + 1), destination, "--rules", "full")
            saved = open(destination, "rb").read()
            if part.get_content_type() == "message/rfc822":
                want = leaf_summary(part.get_payload()[0])
                got = leaf_summary(email.message_from_bytes(saved, policy=email.policy.default))
            else:
                want, got = part.get_payload(decode=True), saved
            if want != got:
                failures.append("%s, part %s (%s): saved bytes differ" % (subject, path, name))
            checked += 1
    expected_mails = len(paths)
    if len(by_mail) != expected_mails:
        failures.append("mails with attachments: %d of %d" % (len(by_mail), expected_mails))
    # Whatever the classic rules list, the full rules list too.
    classic_places = {(row.split(b"\t")[0], row.split(b"\t")[6]) for row in classic}
    if not classic_places <= {(row[0], row[6]) for row in listing}:
        failures.append("the classic rules list parts the full rules do not")
    print("%d attachments in %d mails checked against Python's email; classic rules list %d"
          % (checked, len(by_mail), len(classic)))
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
