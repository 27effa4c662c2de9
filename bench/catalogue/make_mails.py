#!/usr/bin/env python3
"""Writes a reproducible folder's worth of realistic mails as .eml files.

make_mails.py OUT_DIR [COUNT] [TOTAL_MB]

The mix: plain text mails with PDF, image, Office and zip attachments (base64),
HTML mails whose body part the client names after the mail's time, mails
with Japanese (ISO-2022-JP) subjects and file names, quoted-printable text,
and now and then a mail of several megabytes.
"""
import base64
import os
import random
import sys
from datetime import datetime, timedelta, timezone
from email.header import Header
from email.mime.application import MIMEApplication
from email.mime.image import MIMEImage
from email.mime.multipart import MIMEMultipart
from email.mime.text import MIMEText
from email.utils import format_datetime

KINDS = [
    ("application", "pdf", ".pdf"),
    ("image", "jpeg", ".jpg"),
    ("image", "png", ".png"),
    ("application", "vnd.openxmlformats-officedocument.wordprocessingml.document", ".docx"),
    ("application", "zip", ".zip"),
]
JAPANESE_NAMES = ["見積書", "議事録", "請求書", "写真", "報告書"]


def attachment_size(rng, budget):
    size = int(rng.lognormvariate(11.0, 1.0))  # about 60 KB typical, long tail
    return max(200, min(size, budget, 12_000_000))


def iso_2022_jp_word(text):
    """The encoded word Japanese mailers write for a file name."""
    return "=?ISO-2022-JP?B?%s?=" % base64.b64encode(text.encode("iso2022_jp")).decode()


def make_attachment(rng, japanese, budget):
    maintype, subtype, ext = rng.choice(KINDS)
    data = rng.randbytes(attachment_size(rng, budget))
    part = MIMEImage(data, subtype) if maintype == "image" else MIMEApplication(data, subtype)
    name = (rng.choice(JAPANESE_NAMES) + ext) if japanese else "file%d%s" % (rng.randint(1, 9999), ext)
    written = iso_2022_jp_word(name) if japanese else name
    if rng.random() < 0.7:
        part.set_param("name", written)
    part.add_header("Content-Disposition", 'attachment; filename="%s"' % written)
    return part


def make_mail(rng, index, when, budget):
    japanese = rng.random() < 0.25
    unix_time = int(when.timestamp())
    msg = MIMEMultipart("mixed")
    if rng.random() < 0.2:
        html = "<html><body>" + "<p>Hello, please see the attachments.</p>" * rng.randint(5, 60) + "</body></html>"
        body = MIMEText(html, "html", "utf-8")
        # The client names an HTML body after the mail's time.
        name = "%08X.html" % (unix_time + rng.randint(0, 30))
        if rng.random() < 0.5:
            body.replace_header("Content-Type", 'text/html; name="%s"; charset="utf-8"' % name)
        else:
            body.set_param("name", name)
    elif japanese:
        body = MIMEText("資料をお送りします。\n" * rng.randint(1, 20), "plain", "iso-2022-jp")
    else:
        body = MIMEText("Hello,\n\nplease find the files attached.\n" * rng.randint(1, 20), "plain", "utf-8")
    msg.attach(body)
    for _ in range(rng.choice([1, 1, 1, 2, 2, 3])):
        msg.attach(make_attachment(rng, japanese, budget))

    subject = ("会議の資料 %d" % index) if japanese else ("Quarterly report %d" % index)
    msg["Subject"] = Header(subject, "iso-2022-jp") if japanese else subject
    msg["From"] = "Sender %d <sender%d@example.com>" % (index % 97, index % 97)
    msg["To"] = "team@example.com"
    msg["Date"] = format_datetime(when)
    return msg


def main():
    out = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 10000
    total = int(sys.argv[3]) * 1_000_000 if len(sys.argv) > 3 else 1_000_000_000
    os.makedirs(out, exist_ok=True)
    rng = random.Random(20261208)
    start = datetime(2019, 4, 1, tzinfo=timezone(timedelta(hours=9)))
    written = 0
    for index in range(count):
        budget = max(2000, (total - written) // max(1, count - index) * 3)
        when = start + timedelta(minutes=37 * index + rng.randint(0, 30))
        data = make_mail(rng, index, when, budget).as_bytes()
        written += len(data)
        with open(os.path.join(out, "%05d.eml" % index), "wb") as f:
            f.write(data)
    print("%d mails, %.1f MB" % (count, written / 1e6))


if __name__ == "__main__":
    main()
