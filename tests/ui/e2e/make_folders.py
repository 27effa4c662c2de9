#!/usr/bin/env python3
"""Writes the mail folders of the main window's end-to-end tests.

  make_folders.py OUTDIR [hollow]

OUTDIR/plain.mbox  two mails without attachments
OUTDIR/big.mbox    2,000 mails with one small attachment each
OUTDIR/small/*.eml four mails a day apart: two attachments in the first, one
                   in each of the others, an HTML part in the last (listed as
                   HTML, since that mail has a text body too)

With "hollow", only:
OUTDIR/hollow.mbox 600 multipart mails with a text part only: the index marks
                   them as carrying attachments, the scan finds none
"""
import os
import sys
from email.mime.application import MIMEApplication
from email.mime.multipart import MIMEMultipart
from email.mime.text import MIMEText
from email.utils import formatdate

BASE_TIME = 1000000000  # 2001/09/09 10:46:40 in the host's fixed +9 hours


def plain(number):
    mail = MIMEText("no attachment here\n", "plain", "us-ascii")
    mail["From"] = "plain%d@example.com" % number
    mail["Subject"] = "Plain %d" % number
    mail["Date"] = formatdate(BASE_TIME + number * 60)
    return mail


def with_attachments(subject, sender, seconds, names):
    mail = MIMEMultipart()
    mail["From"] = sender
    mail["Subject"] = subject
    mail["Date"] = formatdate(seconds)
    mail.attach(MIMEText("see attached\n", "plain", "us-ascii"))
    for name in names:
        part = MIMEApplication(("contents of %s\n" % name).encode() * 8)
        part.add_header("Content-Disposition", "attachment", filename=name)
        mail.attach(part)
    return mail


def with_html_part(subject, sender, seconds):
    mail = with_attachments(subject, sender, seconds, [])
    mail.attach(MIMEText("<html><body>news</body></html>\n", "html", "us-ascii"))
    return mail


def mbox(path, mails):
    with open(path, "w", newline="\n") as out:
        for mail in mails:
            out.write("From MAILER-DAEMON Thu Jan  1 00:00:00 2026\n")
            out.write(mail.as_string().replace("\nFrom ", "\n>From "))
            out.write("\n\n")


def main():
    out = sys.argv[1]
    if sys.argv[2:] == ["hollow"]:
        os.makedirs(out, exist_ok=True)
        mbox(os.path.join(out, "hollow.mbox"),
             [with_attachments("Hollow %d" % n, "hollow@example.com", BASE_TIME + n * 3600, []) for n in range(600)])
        return
    os.makedirs(os.path.join(out, "small"), exist_ok=True)
    mbox(os.path.join(out, "plain.mbox"), [plain(n) for n in range(2)])
    mbox(os.path.join(out, "big.mbox"),
         [with_attachments("Bulk %d" % n, "bulk@example.com", BASE_TIME + n * 3600, ["file%d.dat" % n])
          for n in range(2000)])
    small = [
        with_attachments("Plans", "Alice <alice@example.com>", BASE_TIME, ["report.pdf", "photo.jpg"]),
        with_attachments("Minutes", "Bob <bob@example.com>", BASE_TIME + 86400, ["notes.txt"]),
        with_attachments("Budget", "Carol <carol@example.com>", BASE_TIME + 2 * 86400, ["sheet.xls"]),
        with_html_part("News", "Dave <dave@example.com>", BASE_TIME + 3 * 86400),
    ]
    for number, mail in enumerate(small, 1):
        with open(os.path.join(out, "small", "%d.eml" % number), "w", newline="\n") as eml:
            eml.write(mail.as_string())


if __name__ == "__main__":
    main()
