#!/usr/bin/env python3
"""make_big_mail.py OUT.eml MB: one mail with a text part and a random
attachment of MB megabytes in base64 (reproducible)."""
import random
import sys
from email.mime.application import MIMEApplication
from email.mime.multipart import MIMEMultipart
from email.mime.text import MIMEText

size = int(sys.argv[2]) * 1000 * 1000
data = random.Random(7).randbytes(size)
message = MIMEMultipart()
message["Subject"] = "big"
message["From"] = "a@example.com"
message["Date"] = "Mon, 02 Nov 2026 09:30:00 +0900"
message.attach(MIMEText("see attached\n"))
message.attach(MIMEApplication(data, Name="big.bin"))
with open(sys.argv[1], "wb") as out:
    out.write(message.as_bytes().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n"))
with open(sys.argv[1] + ".bin", "wb") as out:
    out.write(data)
