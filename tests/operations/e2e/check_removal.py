#!/usr/bin/env python3
"""Checks mails after removals: check_removal.py WORK N:NAME...

WORK/beforeN.eml and WORK/afterN.eml are mail N's source before and after;
each N:NAME says NAME was removed from mail N. Every other part of the mail
must be in the new source byte for byte, the removed parts must be gone, the
mail must still parse, every remaining attachment must decode (as Python's
email package decodes it) to what it decoded to before, and
X-Removed-Attachment must name exactly the removed files, quoted."""
import email
import email.policy
import os
import re
import sys


def parts(source, boundary):
    pieces = re.split(b"--" + re.escape(boundary) + b"(?:--)?\r\n", source)
    return pieces[1:-1] if len(pieces) > 2 else []


def main():
    work = sys.argv[1]
    removed = {}
    for arg in sys.argv[2:]:
        number, name = arg.split(":", 1)
        removed.setdefault(int(number), []).append(name)
    for number, names in removed.items():
        before = open(os.path.join(work, f"before{number}.eml"), "rb").read()
        after = open(os.path.join(work, f"after{number}.eml"), "rb").read()
        boundary = re.search(rb'boundary="([^"]+)"', before).group(1)
        for part in parts(before, boundary):
            name = re.search(rb'filename="([^"]+)"', part)
            gone = name and name.group(1).decode() in names
            if gone and part in after:
                sys.exit(f"mail {number}: {name.group(1)} is still there")
            if not gone and part not in after:
                sys.exit(f"mail {number}: a kept part changed:\n{part!r}")
        decoded_before = {p.get_filename(): p.get_payload(decode=True)
                          for p in email.message_from_bytes(before).walk() if p.get_filename()}
        mail = email.message_from_bytes(after, policy=email.policy.compat32)
        history = re.sub(r"\s+", " ", mail["X-Removed-Attachment"] or "")
        if history != ", ".join(f'"{n}"' for n in names):
            sys.exit(f"mail {number}: X-Removed-Attachment is {history!r}")
        for part in mail.walk():
            name = part.get_filename()
            if not name:
                continue
            if name in names:
                sys.exit(f"mail {number}: {name} still parses as a part")
            if part.get_payload(decode=True) != decoded_before[name]:
                sys.exit(f"mail {number}: {name} no longer decodes to its bytes")
        print(f"mail {number}: {', '.join(names)} removed, the rest intact")


if __name__ == "__main__":
    main()
