#!/usr/bin/env python3
"""What the attachment window must show for the mails of mail_shapes.py,
judged by Python's email package as the oracle test judges them.

  rules_plan.py write WORK-DIR QBX LOCALE
      writes the mails (WORK-DIR/mails), then, once they are imported into
      WORK-DIR/data (Box/Rules), WORK-DIR/full.names and classic.names (the
      file-name column as the grid lists it, newest mail first, in the
      locale's code page) and WORK-DIR/nested.bin, the decoded bytes of the
      first nested attachment; prints that attachment's grid row
  rules_plan.py mails WORK-DIR       only writes the mails
  rules_plan.py names TABLE          the file-name column of a copied table
"""
import os
import subprocess
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "oracle"))
import check_full_rules  # noqa: E402
import mail_shapes  # noqa: E402

CODE_PAGES = {"ja": ("cp932", "〓"), "en": ("cp1252", "_")}


def local(name, locale):
    codec, stand_in = CODE_PAGES[locale]
    out = b""
    for c in name:
        try:
            out += c.encode(codec)
        except UnicodeEncodeError:
            out += stand_in.encode(codec)
    return out


def write_mails(work):
    os.makedirs(os.path.join(work, "mails"), exist_ok=True)
    for name, data in mail_shapes.shapes():
        with open(os.path.join(work, "mails", name), "wb") as f:
            f.write(data)


def main(argv):
    if argv[1] == "mails":
        write_mails(argv[2])
        return 0
    if argv[1] == "names":
        lines = open(argv[2], "rb").read().split(b"\r\n")[1:]
        sys.stdout.buffer.write(b"\n".join(line.split(b"\t")[5] for line in lines if line) + b"\n")
        return 0
    work, qbx, locale = argv[2], argv[3], argv[4]
    data = os.path.join(work, "data")
    rows = {"full": [], "classic": []}
    for rules in rows:
        listing = subprocess.run([qbx, "scan", data, "Box/Rules/", "--rules", rules], check=True,
                                 stdout=subprocess.PIPE).stdout.splitlines()
        mails = []
        for line in listing:
            mail, part_no, name, encoding, size, html, path = line.split(b"\t")
            if not mails or mails[-1][0] != mail:
                mails.append((mail, []))
            mails[-1][1].append(path)
        for mail, paths in reversed(mails):
            source = subprocess.run([qbx, "source", data, mail.decode()], check=True, stdout=subprocess.PIPE).stdout
            found = {".".join(map(str, path)): (name, part) for path, name, part, _ in
                     check_full_rules.expected_rows(source)}
            for path in paths:
                name, part = found.get(path.decode(), ("(not a full-rules row)", None))
                # The classic rules keep their own name for a row without a
                # declared one; the mails here declare one wherever it matters.
                rows[rules].append((local(name, locale), path, part))
    for rules, listed in rows.items():
        with open(os.path.join(work, rules + ".names"), "wb") as f:
            f.write(b"\n".join(name for name, _, _ in listed) + b"\n")
    nested = next(i for i, (_, path, _) in enumerate(rows["full"]) if b"." in path)
    with open(os.path.join(work, "nested.bin"), "wb") as f:
        f.write(rows["full"][nested][2].get_payload(decode=True))
    print(nested + 1)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
