#!/usr/bin/env python3
"""What the nested-removal test deletes through the window, and the check of
the stored mails afterwards, judged by Python's email package.

  nested_plan.py plan WORK QBX FOLDER
      once the mails of mail_shapes.py are imported into WORK/data (FOLDER)
      and rules_plan.py has written WORK/full.names, chooses the rows to delete, keeps each mail's source in
      WORK/before/, and prints two lines: the grid row of a nested attachment
      to delete through the pop-up menu, then the grid rows (as they are once
      that row is gone) of a marked set that holds rows the classic rules
      list and rows only the full rules list
  nested_plan.py mail FILE
      writes a mail whose parts are all attachments; the plan marks all its
      rows, and the check wants the note in its place
  nested_plan.py check WORK QBX FOLDER TABLE LOCALE
      the stored mails and the copied table after the deletions: every
      changed mail lost exactly its chosen parts (check_removals.judge), the
      others are as they were, and the table lists the rest
"""
import json
import os
import subprocess
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "oracle"))
import check_removals  # noqa: E402


ALL_ATTACHMENTS = b"all attachments"
# The note's first words in each language, as the plug-in writes them.
NOTE = {"ja": "次の添付ファイルを削除しました: ", "en": "These attachments were removed on "}


def write_all_attachments_mail(path):
    """A mail whose parts are all attachments, one with a Japanese name."""
    name = check_removals.word("報告書.pdf", "iso-2022-jp")
    mail = check_removals.mail_shapes.Mail(90, ALL_ATTACHMENTS.decode(), boundary="=_all_%d")
    parts = [check_removals.part('Content-Type: application/pdf; name="%s"\r\nContent-Disposition: attachment; '
                                 'filename="%s"\r\nContent-Transfer-Encoding: base64' % (n, n), b"JVBERi0xLjQK\r\n")
             for n in ("plain.pdf", name)]
    body = check_removals.mail_shapes.multipart(mail.boundary, parts)
    with open(path, "wb") as f:
        f.write(mail.header('multipart/mixed; boundary="%s"' % mail.boundary) + body)


def note_fault(after, locale):
    """The note left in the mail that lost every part: in the locale's
    language and charset, naming the files as Python reads them."""
    message = check_removals.email.message_from_bytes(after, policy=check_removals.email.policy.default)
    parts = [p for p in message.iter_parts()]
    if len(parts) != 1:
        return "%d parts, not one note" % len(parts)
    text = parts[0].get_content()
    charset = parts[0].get_content_charset()
    if charset != {"ja": "iso-2022-jp", "en": "us-ascii"}[locale] and not (locale == "en" and charset):
        return "the note is in %s" % charset
    if not text.startswith(NOTE[locale]):
        return "the note says %r" % text
    names = ['"plain.pdf"'] + (['"報告書.pdf"'] if locale == "ja" else [])
    missing = [n for n in names if n not in text]
    return "the note lacks %s: %r" % (missing, text) if missing else None


def scan(qbx, data, folder, rules):
    return check_removals.scan(qbx, data, folder, rules)


def grid(rows):
    """The rows as the grid lists them: newest mail first, parts in order."""
    mails = []
    for row in rows:
        if not mails or mails[-1][0] != row[0]:
            mails.append((row[0], []))
        mails[-1][1].append(row)
    return [row for _, mail_rows in reversed(mails) for row in mail_rows]


def plan(work, qbx, folder):
    data = os.path.join(work, "data")
    full = grid(scan(qbx, data, folder, "full"))
    classic = {(row[0], row[6]) for row in scan(qbx, data, folder, "classic")}
    nested = next(i for i, row in enumerate(full) if b"." in row[6])
    # Both rows of a mail with a row the classic rules list and one only the
    # full rules list, and the first classic row of another mail; neither
    # the mail the nested row comes from.
    def is_classic(i):
        return (full[i][0], full[i][6]) in classic

    marked = []
    for mail in dict.fromkeys(row[0] for row in full):
        rows = [i for i, row in enumerate(full) if row[0] == mail]
        if mail == full[nested][0] or not any(is_classic(i) for i in rows):
            continue
        if not marked and not all(is_classic(i) for i in rows):
            marked = [next(i for i in rows if is_classic(i)), next(i for i in rows if not is_classic(i))]
        elif marked and full[marked[0]][0] != mail:
            marked.append(next(i for i in rows if is_classic(i)))
            break
    # Every row of the mail whose parts are all attachments: it keeps a note.
    for mail in dict.fromkeys(row[0] for row in full):
        source = check_removals.run(qbx, "source", data, mail.decode()).stdout
        if b"Subject: " + ALL_ATTACHMENTS in source:
            marked += [i for i, row in enumerate(full) if row[0] == mail]
    chosen = [nested] + marked
    os.makedirs(os.path.join(work, "before"), exist_ok=True)
    mails = {}
    for mail in dict.fromkeys(row[0] for row in full):
        mail_rows = [row for row in full if row[0] == mail]
        source = check_removals.run(qbx, "source", data, mail.decode()).stdout
        key = mail.decode().replace("/", "_").replace("?", "_")
        with open(os.path.join(work, "before", key), "wb") as f:
            f.write(source)
        mails[mail.decode()] = {"key": key, "rows": [[c.decode("latin-1") for c in row] for row in mail_rows],
                                "chosen": [mail_rows.index(full[i]) for i in chosen if full[i][0] == mail]}
    # The file-name column as the grid shows it in the locale's code page.
    names = open(os.path.join(work, "full.names"), "rb").read().split(b"\n")[:len(full)]
    expected = [names[i].decode("latin-1") for i in range(len(full)) if i not in chosen]
    with open(os.path.join(work, "plan.json"), "w") as f:
        json.dump({"mails": mails, "table": expected}, f)
    # Grid rows count from 1; once the nested row is gone the rows below it move up.
    print(nested + 1)
    print(" ".join(str(i + 1 - (i > nested)) for i in sorted(marked)))


def check(work, qbx, folder, table, locale):
    data = os.path.join(work, "data")
    notes = 0
    with open(os.path.join(work, "plan.json")) as f:
        planned = json.load(f)
    failures = []
    for mail, entry in planned["mails"].items():
        before = open(os.path.join(work, "before", entry["key"]), "rb").read()
        after = check_removals.run(qbx, "source", data, mail).stdout
        rows = [[c.encode("latin-1") for c in row] for row in entry["rows"]]
        if not entry["chosen"]:
            if after != before:
                failures.append("%s changed, though nothing of it was deleted" % mail)
            continue
        fault = check_removals.judge(before, after, rows, entry["chosen"])
        if not fault and ALL_ATTACHMENTS in before.split(b"\r\n\r\n")[0]:
            fault = note_fault(after, locale)
            notes += 1
        if fault:
            failures.append("%s: %s" % (mail, fault))
    lines = open(table, "rb").read().split(b"\r\n")[1:]
    listed = [line.split(b"\t")[5].decode("latin-1") for line in lines if line]
    if listed != planned["table"]:
        failures.append("the table lists %r, expected %r" % (listed, planned["table"]))
    for failure in failures:
        print("FAIL:", failure)
    changed = sum(1 for entry in planned["mails"].values() if entry["chosen"])
    print("%d mails rewritten as Python's email judges them, %d with a note; the table lists %d rows"
          % (changed, notes, len(listed)))
    return 1 if failures or notes != 1 else 0


if __name__ == "__main__":
    if sys.argv[1] == "plan":
        plan(*sys.argv[2:5])
    elif sys.argv[1] == "mail":
        write_all_attachments_mail(sys.argv[2])
    else:
        sys.exit(check(*sys.argv[2:7]))
