#!/usr/bin/env python3
"""Checks what saving, then deleting left behind.

  check_detach.py mails WORK WINFOLDER N:NAME...
      WORK/beforeN.eml and WORK/afterN.eml are mail N's source before and
      after. Python's email package must find no defect in an after mail
      that it did not find in its before mail, and each N:NAME says NAME
      left mail N: X-Detached-Attachment must then hold exactly the paths
      WINFOLDER + NAME of mail N, in order (read as ISO-2022-JP, unfolded,
      each quoted string unquoted); a mail that lost nothing has no record.
  check_detach.py report FILE ja|en SECTION:NAME[:REASON]...
      FILE is the end report as the message box showed it (its title first).
      Every NAME must be listed in its SECTION (detached, kept, unsaved), in
      the order given, with the reason's text of the window's language; no
      other attachment may be listed.
"""
import email
import email.policy
import email.utils
import os
import re
import sys

HEADINGS = {
    "ja": {"detached": "保存して、メールから削除した添付ファイル：",
           "kept": "保存しましたが、メールに残した添付ファイル：",
           "unsaved": "保存できなかったため、メールに残した添付ファイル："},
    "en": {"detached": "Saved, then deleted from their messages:",
           "kept": "Saved, but left in their messages:",
           "unsaved": "Not saved, so left in their messages:"},
}
REASONS = {
    "ja": {"no": "同じ名前のファイルを上書きしませんでした", "undecodable": "デコードできません",
           "unwritten": "ファイルを書き込めませんでした"},
    "en": {"no": "a file of that name was not replaced", "undecodable": "it cannot be decoded",
           "unwritten": "the file could not be written"},
}


def defects(mail):
    return sorted(type(d).__name__ for part in mail.walk() for d in part.defects)


def detached_paths(mail):
    paths = []
    for value in mail.get_all("X-Detached-Attachment") or []:
        text = value.encode("ascii", "surrogateescape").decode("iso2022_jp")
        text = re.sub(r"\r?\n(?=[ \t])", "", text)
        paths += [email.utils.unquote(q) for q in re.findall(r'"(?:[^"\\]|\\.)*"', text)]
    return paths


def check_mails(work, folder, pairs):
    detached = {}
    for pair in pairs:
        number, name = pair.split(":", 1)
        detached.setdefault(int(number), []).append(name)
    number = 1
    while os.path.exists(os.path.join(work, f"before{number}.eml")):
        def read(stem):
            with open(os.path.join(work, f"{stem}{number}.eml"), "rb") as f:
                return email.message_from_bytes(f.read(), policy=email.policy.compat32)
        before, after = read("before"), read("after")
        new = [d for d in defects(after) if d not in defects(before)]
        if new:
            sys.exit(f"mail {number}: new defects {new}")
        want = [folder + name for name in detached.get(number, [])]
        if detached_paths(after) != want:
            sys.exit(f"mail {number}: X-Detached-Attachment holds {detached_paths(after)!r}, not {want!r}")
        print(f"mail {number}: parses as before; detached {want}")
        number += 1


def check_report(path, language, expected):
    with open(path, encoding="utf-8") as f:
        lines = [line for line in f.read().splitlines() if line.strip()]
    section, listed = None, []
    headings = {text: key for key, text in HEADINGS[language].items()}
    for line in lines[1:]:
        if line in headings:
            section = headings[line]
        elif section:
            listed.append((section, line))
    want = []
    for item in expected:
        section, name, *reason = item.split(":")
        want.append((section, name, REASONS[language][reason[0]] if reason else None))
    if len(listed) != len(want):
        sys.exit(f"the report lists {listed!r}, expected {want!r}")
    for (section, line), (want_section, name, reason) in zip(listed, want):
        fields = line.split("\t")
        if section != want_section or fields[2] != name:
            sys.exit(f"{line!r} is listed under {section}, expected {name} under {want_section}")
        if reason and (len(fields) < 4 or not fields[3].startswith(reason)):
            sys.exit(f"{line!r}: expected the reason {reason!r}")
        if not reason and len(fields) != 3:
            sys.exit(f"{line!r}: no reason expected")
    print(f"report: {len(listed)} attachments, each in its section")


def main():
    if sys.argv[1] == "mails":
        check_mails(sys.argv[2], sys.argv[3], sys.argv[4:])
    elif sys.argv[1] == "report":
        check_report(sys.argv[2], sys.argv[3], sys.argv[4:])
    else:
        sys.exit(f"unknown check {sys.argv[1]}")


if __name__ == "__main__":
    main()
