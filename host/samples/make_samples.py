#!/usr/bin/env python3
"""Writes the sample mails for the demo and the tests, as a real mailer would.

  make_samples.py OUTDIR

OUTDIR/japanese/*.eml: ISO-2022-JP subjects and attachment names, HTML mails
whose body part is named after its time (as the host names them), text mails
with PDF, image, Office and zip attachments in base64 and quoted-printable,
a mail with 40 attachments and one without any.
OUTDIR/english/*.eml: a few English mails with attachments.
The output is the same on every run.
"""
import io
import os
import struct
import sys
import zipfile
import zlib
from email import encoders
from email.charset import QP, Charset
from email.header import Header
from email.mime.base import MIMEBase
from email.mime.multipart import MIMEMultipart
from email.mime.text import MIMEText
from email.utils import format_datetime
from datetime import datetime, timedelta, timezone

JST = timezone(timedelta(hours=9))
START = datetime(2026, 11, 2, 9, 30, tzinfo=JST)


def jis_word(text):
    """An ISO-2022-JP encoded word, the way Japanese mailers write names."""
    return Header(text, "iso-2022-jp").encode()


def pdf_bytes(title):
    return (b"%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
            b"2 0 obj << /Type /Pages /Kids [] /Count 0 >> endobj\n% " + title.encode("utf-8") +
            b"\ntrailer << /Root 1 0 R >>\n%%EOF\n")


def png_bytes(width, height, rgb):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    row = b"\x00" + bytes(rgb) * width
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(row * height)) + chunk(b"IEND", b""))


def zip_bytes(files):
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, data in files.items():
            info = zipfile.ZipInfo(name, date_time=(2026, 11, 1, 0, 0, 0))
            archive.writestr(info, data)
    return buffer.getvalue()


def office_bytes(kind):
    types = ('<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
             '<Default Extension="xml" ContentType="application/xml"/></Types>')
    part = "word/document.xml" if kind == "docx" else "xl/workbook.xml"
    return zip_bytes({"[Content_Types].xml": types, part: "<doc>sample</doc>"})


MIME_TYPES = {
    "pdf": ("application", "pdf"), "png": ("image", "png"), "jpg": ("image", "jpeg"),
    "zip": ("application", "zip"), "txt": ("text", "plain"), "csv": ("text", "csv"),
    "docx": ("application", "vnd.openxmlformats-officedocument.wordprocessingml.document"),
    "xlsx": ("application", "vnd.openxmlformats-officedocument.spreadsheetml.sheet"),
}


def attachment(name, data, encoded_name=None, encoding="base64"):
    main, sub = MIME_TYPES[name.rsplit(".", 1)[1].lower()]
    label = encoded_name or name
    part = MIMEBase(main, sub, name=label)
    part.set_payload(data)
    if encoding == "base64":
        encoders.encode_base64(part)
    else:
        part.set_payload(QP_CHARSET.body_encode(data.decode("ascii")))
        part["Content-Transfer-Encoding"] = "quoted-printable"
    part.add_header("Content-Disposition", "attachment", filename=label)
    return part


QP_CHARSET = Charset("us-ascii")
QP_CHARSET.body_encoding = QP


class Writer:
    def __init__(self, folder):
        self.folder = folder
        self.count = 0
        os.makedirs(folder, exist_ok=True)

    def write(self, message, subject, sender, japanese):
        self.count += 1
        when = START + timedelta(hours=7 * self.count)
        message["Subject"] = jis_word(subject) if japanese else subject
        message["From"] = sender
        message["To"] = "user@example.jp"
        message["Date"] = format_datetime(when)
        message["Message-ID"] = f"<sample{self.count}.{os.path.basename(self.folder)}@example.jp>"
        if message.is_multipart():
            message.set_boundary(f"----=_Part_{self.count:03d}_{os.path.basename(self.folder)}")
        with open(os.path.join(self.folder, f"{self.count:03d}.eml"), "wb") as f:
            f.write(message.as_bytes())
        return when


def jp_text(text):
    return MIMEText(text, "plain", "iso-2022-jp")


def japanese(out):
    w = Writer(os.path.join(out, "japanese"))
    sender = f"{jis_word('山田 太郎')} <yamada@example.jp>"

    m = MIMEMultipart()
    m.attach(jp_text("見積書をお送りします。\nご確認ください。\n"))
    m.attach(attachment("見積書.pdf", pdf_bytes("見積書"), jis_word("見積書.pdf")))
    w.write(m, "見積書の送付", sender, True)

    m = MIMEMultipart()
    m.attach(jp_text("写真です。\n"))
    m.attach(attachment("写真.png", png_bytes(32, 24, (200, 60, 40)), jis_word("写真.png")))
    m.attach(attachment("photo2.jpg", png_bytes(8, 8, (20, 90, 200))))
    w.write(m, "旅行の写真", f"{jis_word('佐藤 花子')} <sato@example.jp>", True)

    m = MIMEMultipart()
    m.attach(jp_text("資料一式です。\n"))
    m.attach(attachment("議事録.docx", office_bytes("docx"), jis_word("議事録.docx")))
    m.attach(attachment("予算表.xlsx", office_bytes("xlsx"), jis_word("予算表.xlsx")))
    m.attach(attachment("資料.zip", zip_bytes({"readme.txt": "sample"}), jis_word("資料.zip")))
    w.write(m, "会議資料（第３回）", sender, True)

    # Quoted-printable parts, and a name written with raw ISO-2022-JP escapes
    # as old mailers did.
    m = MIMEMultipart()
    m.attach(jp_text("ＣＳＶとメモを添付します。\n"))
    m.attach(attachment("list.csv", b"id,name\r\n1,=sample=\r\n" + b"x" * 90 + b"\r\n", encoding="qp"))
    m.attach(attachment("memo.pdf", pdf_bytes("memo"), "\x1b$B%a%b\x1b(B.pdf"))
    w.write(m, "ＣＳＶデータ", f"{jis_word('鈴木 一郎')} <suzuki@example.jp>", True)

    # HTML mails: the body part carries a name made of its time, as the host writes it.
    for title, with_file in (("お知らせ（ＨＴＭＬ）", False), ("新製品のご案内", True)):
        m = MIMEMultipart()
        when = START + timedelta(hours=7 * (w.count + 1))
        html = MIMEText(f"<html><body><h1>{title}</h1><p>本文です。</p></body></html>", "html", "utf-8")
        html.replace_header("Content-Type", f'text/html; name="{int(when.timestamp()):08X}.html"; charset="utf-8"')
        m.attach(html)
        if with_file:
            m.attach(attachment("カタログ.pdf", pdf_bytes("catalogue"), jis_word("カタログ.pdf")))
        w.write(m, title, "info@example.jp", True)

    m = MIMEMultipart()
    m.attach(jp_text("四十個の添付ファイルです。\n"))
    for i in range(1, 41):
        kind = ("pdf", "png", "zip", "txt")[i % 4]
        data = {"pdf": pdf_bytes(f"doc{i}"), "png": png_bytes(4, 4, (i * 6, 100, 50)),
                "zip": zip_bytes({f"f{i}.txt": str(i)}), "txt": f"file {i}\r\n".encode()}[kind]
        m.attach(attachment(f"添付{i:02d}.{kind}", data, jis_word(f"添付{i:02d}.{kind}")))
    w.write(m, "添付ファイル４０個", sender, True)

    w.write(jp_text("添付ファイルはありません。\n"), "添付なしのメール", sender, True)


def english(out):
    w = Writer(os.path.join(out, "english"))
    sender = "John Smith <john@example.com>"
    m = MIMEMultipart()
    m.attach(MIMEText("Please find the report attached.\n"))
    m.attach(attachment("report.pdf", pdf_bytes("report")))
    w.write(m, "Quarterly report", sender, False)
    m = MIMEMultipart()
    m.attach(MIMEText("Photos and the archive.\n"))
    m.attach(attachment("beach.png", png_bytes(16, 16, (30, 144, 255))))
    m.attach(attachment("archive.zip", zip_bytes({"a.txt": "a", "b.txt": "b"})))
    w.write(m, "Holiday photos", "Jane Doe <jane@example.com>", False)
    w.write(MIMEText("No attachment here.\n"), "Lunch?", sender, False)


def main(out):
    japanese(out)
    english(out)


if __name__ == "__main__":
    main(sys.argv[1])
