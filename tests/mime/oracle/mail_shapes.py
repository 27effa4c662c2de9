"""Mails in the shapes that common mailers write, with Japanese file names in
every charset and form they use. Written byte by byte, so that the header
forms are exactly those of the mailers, not what a library would make of them.

shapes() -> [(file name, mail bytes)], one mail a minute apart.
"""
import base64
import quopri
import random
import urllib.parse
from email.utils import formatdate

CRLF = b"\r\n"
START = 1704283200  # 2024-01-03 12:00 UTC

# Japanese names, and the charsets each can be written in. Half-width
# katakana have no ISO-2022-JP form.
NAMES = ["見積書.pdf", "議事録_2024年度.docx", "写真①.jpg", "請求書（最終版）.xlsx", "会議資料.pptx",
         "テスト〜結果.txt", "ｶﾀｶﾅ.csv", "招待状.ics", "報告書 No.7.pdf"]


def rng_bytes(rng, n):
    return bytes(rng.randrange(256) for _ in range(n))


def b64_lines(data):
    return base64.encodebytes(data).replace(b"\n", CRLF)


def word(text, charset, method="B"):
    """An encoded word as mailers write it."""
    raw = text.encode(charset)
    if method == "B":
        return "=?%s?B?%s?=" % (charset.upper().replace("_", "-") if charset != "shift_jis" else "Shift_JIS",
                                base64.b64encode(raw).decode())
    q = "".join(chr(b) if (0x30 <= b <= 0x39 or 0x41 <= b <= 0x5A or 0x61 <= b <= 0x7A or b in b".-")
                else "=%02X" % b for b in raw)
    return "=?%s?Q?%s?=" % (charset, q)


def rfc2231(key, text, charset="utf-8", pieces=1):
    """key*=charset''... or key*0*=charset''...; key*1*=... split on characters."""
    encoded = [urllib.parse.quote(c.encode(charset), safe="") for c in text]
    if pieces == 1:
        return "%s*=%s''%s" % (key, charset, "".join(encoded))
    size = (len(encoded) + pieces - 1) // pieces
    chunks = ["".join(encoded[i:i + size]) for i in range(0, len(encoded), size)]
    out = []
    for n, chunk in enumerate(chunks):
        out.append("%s*%d*=%s%s" % (key, n, (charset + "''") if n == 0 else "", chunk))
    return ";\r\n ".join(out)


class Mail:
    def __init__(self, n, subject, boundary="=_qbx_%d"):
        self.n = n
        self.subject = subject
        self.boundary = boundary % n if "%d" in boundary else boundary

    def header(self, content_type):
        return ("From: sender%d@example.com\r\nTo: you@example.jp\r\nSubject: %s\r\nDate: %s\r\n"
                "MIME-Version: 1.0\r\nContent-Type: %s\r\n\r\n"
                % (self.n, self.subject, formatdate(START + 60 * self.n), content_type)).encode()


def part(head, body):
    """A part: its header lines (str or bytes) and its body bytes."""
    head = head.encode() if isinstance(head, str) else head
    return head + CRLF + CRLF + body


def multipart(boundary, parts, preamble=b"", epilogue=b""):
    out = preamble + (CRLF if preamble else b"")
    for p in parts:
        out += b"--" + boundary.encode() + CRLF + p + CRLF
    return out + b"--" + boundary.encode() + b"--" + CRLF + epilogue


def text_part(text, subtype="plain", charset="utf-8"):
    return part("Content-Type: text/%s; charset=%s\r\nContent-Transfer-Encoding: quoted-printable" % (subtype, charset),
                quopri.encodestring(text.encode(charset)).replace(b"\n", CRLF))


def shapes(seed=16):
    rng = random.Random(seed)
    mails = []
    blob = lambda n=None: rng_bytes(rng, n or rng.randrange(40, 3000))

    # Apple Mail / iPhone: a parameter before the name, RFC 2231 file names,
    # a rich-text mail whose pictures sit in a nested multipart.
    m = Mail(len(mails), "apple")
    name = NAMES[0]
    body = multipart(m.boundary, [
        text_part("添付します。\n"),
        part('Content-Type: application/pdf;\r\n\tx-unix-mode=0644;\r\n\tname="%s"\r\n'
             "Content-Disposition: attachment;\r\n\t%s\r\nContent-Transfer-Encoding: base64"
             % (word(name, "utf-8"), rfc2231("filename", name)), b64_lines(blob())),
        text_part("\n"),
    ], preamble=b"")
    mails.append(("apple.eml", m.header('multipart/mixed;\r\n\tboundary="%s"' % m.boundary) + body))

    m = Mail(len(mails), "iphone rich")
    inner = "Apple-Mail-inner-%d" % m.n
    mixed = multipart(inner, [
        text_part("<p>see</p>", "html"),
        part('Content-Transfer-Encoding: base64\r\nContent-Disposition: inline;\r\n\t%s\r\n'
             'Content-Type: image/jpeg;\r\n\tx-unix-mode=0644;\r\n\tname="IMG_0001.JPG"\r\nContent-Id: <a@b>'
             % rfc2231("filename", NAMES[2]), b64_lines(blob())),
        text_part("<p>end</p>", "html"),
    ])
    body = multipart(m.boundary, [text_part("see\n"),
                                  part('Content-Type: multipart/mixed;\r\n\tboundary="%s"' % inner, mixed)])
    mails.append(("iphone.eml", m.header('multipart/alternative; boundary="%s"' % m.boundary) + body))

    # Thunderbird: RFC 2231 names in numbered, encoded sections.
    m = Mail(len(mails), "thunderbird")
    name = NAMES[1]
    body = multipart(m.boundary, [
        text_part("Hi\n", "plain"),
        part("Content-Type: application/vnd.openxmlformats-officedocument.wordprocessingml.document;\r\n %s\r\n"
             "Content-Disposition: attachment;\r\n %s\r\nContent-Transfer-Encoding: base64"
             % (rfc2231("name", name, pieces=2), rfc2231("filename", name, pieces=3)), b64_lines(blob())),
        part('Content-Type: text/csv; charset=UTF-8;\r\n name="%s"\r\nContent-Disposition: attachment;\r\n %s\r\n'
             "Content-Transfer-Encoding: 8bit" % (word(NAMES[6], "utf-8"), rfc2231("filename", NAMES[6])),
             "a,b\r\nｶﾀｶﾅ,2\r\n".encode("utf-8")),
    ], preamble=b"This is a multi-part message in MIME format.")
    mails.append(("thunderbird.eml", m.header('multipart/mixed; boundary="%s"' % m.boundary) + body))

    # Gmail: alternative text and HTML, encoded-word names; newer: raw UTF-8.
    for raw in (False, True):
        m = Mail(len(mails), "gmail" + (" raw" if raw else ""), boundary="000000000000a1b2c3d4%d")
        alt = "000000000000e5f6a7b8%d" % m.n
        written = NAMES[3] if raw else word(NAMES[3], "utf-8")
        attachment = ('Content-Type: application/vnd.openxmlformats-officedocument.spreadsheetml.sheet; name="%s"\r\n'
                      'Content-Disposition: attachment; filename="%s"\r\nContent-Transfer-Encoding: base64\r\n'
                      "X-Attachment-Id: f_l%d\r\nContent-ID: <f_l%d>" % (written, written, m.n, m.n)).encode("utf-8")
        body = multipart(m.boundary, [
            part('Content-Type: multipart/alternative; boundary="%s"' % alt,
                 multipart(alt, [text_part("本文\n"), text_part("<div>本文</div>", "html")])),
            part(attachment, b64_lines(blob())),
            part('Content-Type: audio/mpeg\r\nContent-Transfer-Encoding: base64', b64_lines(blob(200))),
        ])
        mails.append(("gmail%d.eml" % raw, m.header('multipart/mixed; boundary="%s"' % m.boundary) + body))

    # Outlook: ISO-2022-JP encoded words, RFC 2231 besides, a calendar invitation.
    m = Mail(len(mails), "outlook", boundary="_004_TY2PR01MB%d_")
    alt = "_000_TY2PR01MB%d_" % m.n
    name = NAMES[4]
    body = multipart(m.boundary, [
        part('Content-Type: multipart/alternative;\r\n\tboundary="%s"' % alt,
             multipart(alt, [text_part("資料です\n", charset="iso-2022-jp"),
                             text_part("<p>資料です</p>", "html", "iso-2022-jp")])),
        part('Content-Type: application/vnd.ms-powerpoint; name="%s"\r\nContent-Description: %s\r\n'
             'Content-Disposition: attachment; filename="%s"; size=1234;\r\n\tcreation-date="Wed, 03 Jan 2024 12:00:00 GMT"\r\n'
             "Content-Transfer-Encoding: base64" % (word(name, "iso-2022-jp"), word(name, "iso-2022-jp"),
                                                    word(name, "iso-2022-jp")), b64_lines(blob())),
        part("Content-Type: application/pdf;\r\n\t%s\r\nContent-Disposition: attachment;\r\n\t%s\r\n"
             "Content-Transfer-Encoding: base64" % (rfc2231("name", NAMES[8], "iso-2022-jp"),
                                                    rfc2231("filename", NAMES[8], "iso-2022-jp")), b64_lines(blob())),
    ])
    mails.append(("outlook.eml", m.header('multipart/mixed;\r\n\tboundary="%s"' % m.boundary) + body))

    for calendar in ("outlook", "google"):
        m = Mail(len(mails), "invitation " + calendar)
        alt = "alt_%d" % m.n
        ics = "BEGIN:VCALENDAR\r\nMETHOD:REQUEST\r\nBEGIN:VEVENT\r\nSUMMARY:会議\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n".encode()
        parts = [part('Content-Type: multipart/alternative; boundary="%s"' % alt,
                      multipart(alt, [text_part("招待\n"), text_part("<p>招待</p>", "html"),
                                      part("Content-Type: text/calendar; charset=utf-8; method=REQUEST"
                                           + ("\r\nContent-Transfer-Encoding: 7bit" if calendar == "google" else ""),
                                           ics.replace("会議".encode(), b"meeting"))]))]
        if calendar == "google":
            parts.append(part('Content-Type: application/ics; name="invite.ics"\r\n'
                              'Content-Disposition: attachment; filename="invite.ics"\r\n'
                              "Content-Transfer-Encoding: base64", b64_lines(ics)))
        else:
            parts.append(part('Content-Type: text/calendar; charset="utf-8"; method=REQUEST; name="%s"\r\n'
                              "Content-Transfer-Encoding: base64" % word(NAMES[7], "utf-8"), b64_lines(ics)))
        mails.append(("invite-%s.eml" % calendar, m.header('multipart/mixed; boundary="%s"' % m.boundary)
                      + multipart(m.boundary, parts)))

    # Signed: the boundary after other parameters, the mixed part inside.
    m = Mail(len(mails), "signed", boundary="----=_sig_%d")
    mixed = "----=_sig_mixed_%d" % m.n
    body = multipart(m.boundary, [
        part('Content-Type: multipart/mixed; boundary="%s"' % mixed,
             multipart(mixed, [text_part("signed text\n"),
                               part('Content-Type: application/pdf; name="%s"\r\nContent-Disposition: attachment; '
                                    'filename="%s"\r\nContent-Transfer-Encoding: base64'
                                    % (word(NAMES[0], "shift_jis"), word(NAMES[0], "shift_jis")), b64_lines(blob()))])),
        part('Content-Type: application/pkcs7-signature; name="smime.p7s"\r\nContent-Transfer-Encoding: base64\r\n'
             'Content-Disposition: attachment; filename="smime.p7s"', b64_lines(blob(300))),
    ], preamble=b"This is an S/MIME signed message")
    mails.append(("signed.eml", m.header('multipart/signed; protocol="application/pkcs7-signature"; '
                                         'micalg=sha-256;\r\n\tboundary="%s"' % m.boundary) + body))

    # Forwarded: as an attachment (one leaf, its own attachment inside not
    # listed) and inline (the original's parts nested).
    m = Mail(len(mails), "forward")
    inner_mail = Mail(99, "original")
    original = inner_mail.header('multipart/mixed; boundary="orig"') + multipart("orig", [
        text_part("original\n"), part('Content-Type: application/zip; name="inner.zip"\r\n'
                                      "Content-Transfer-Encoding: base64", b64_lines(blob(100)))])
    inline = "fwd_inline_%d" % m.n
    body = multipart(m.boundary, [
        text_part("転送します\n"),
        part('Content-Type: message/rfc822; name="%s"\r\nContent-Disposition: attachment; filename="%s"'
             % (word(NAMES[5], "euc-jp"), word(NAMES[5], "euc-jp")), original),
        part('Content-Type: multipart/mixed; boundary="%s"' % inline,
             multipart(inline, [text_part("-------- Forwarded Message --------\n"),
                                part('Content-Type: image/png\r\nContent-Transfer-Encoding: base64',
                                     b64_lines(blob(500)))])),
        part("Content-Type: message/rfc822", inner_mail.header("text/plain; charset=us-ascii") + b"just text\r\n"),
    ])
    mails.append(("forward.eml", m.header('multipart/mixed; boundary="%s"' % m.boundary) + body))

    # Japanese mailers: ISO-2022-JP words, raw Shift_JIS and EUC-JP words,
    # an HTML part beside the text, a part without a transfer encoding.
    m = Mail(len(mails), "japanese")
    body = multipart(m.boundary, [
        part("Content-Type: text/plain; charset=ISO-2022-JP\r\nContent-Transfer-Encoding: 7bit",
             "お世話になっております。\r\n".encode("iso-2022-jp")),
        part("Content-Type: text/html; charset=ISO-2022-JP\r\nContent-Transfer-Encoding: 7bit",
             "<p>お世話に</p>\r\n".encode("iso-2022-jp")),
        part('Content-Type: application/octet-stream;\r\n name="%s"\r\nContent-Transfer-Encoding: base64\r\n'
             'Content-Disposition: attachment;\r\n filename="%s"' % (word(NAMES[0], "iso-2022-jp"),
                                                                   word(NAMES[0], "iso-2022-jp")), b64_lines(blob())),
        part(('Content-Type: application/vnd.ms-excel; name="%s"\r\nContent-Transfer-Encoding: base64'
              % NAMES[3]).encode("cp932"), b64_lines(blob())),
        part('Content-Type: text/plain; name="%s"' % word(NAMES[8], "euc-jp"),
             "メモ\r\n".encode("iso-2022-jp")),
        part('Content-Type: application/pdf; name="%s"\r\nContent-Transfer-Encoding: quoted-printable'
             % word(NAMES[6], "shift_jis", "Q"), quopri.encodestring(b"%PDF-1.4 \xff\xfe\r\n" * 3)),
    ])
    mails.append(("japanese.eml", m.header('multipart/mixed; boundary="%s"' % m.boundary) + body))

    # Western charsets: ISO-8859-1 and windows-1252 names, which code page
    # 932 cannot show whole; a video part and an unnamed one.
    m = Mail(len(mails), "western")
    body = multipart(m.boundary, [
        text_part("bonjour\n"),
        part("Content-Type: application/pdf;\r\n %s\r\nContent-Transfer-Encoding: base64"
             % rfc2231("name", "café résumé.pdf", "iso-8859-1"), b64_lines(blob())),
        part('Content-Type: application/msword; name="%s"\r\nContent-Transfer-Encoding: base64'
             % word("€uro – offre.doc", "windows-1252", "Q"), b64_lines(blob())),
        part("Content-Type: video/mp4\r\nContent-Transfer-Encoding: base64", b64_lines(blob())),
        part("Content-Type: application/octet-stream", b"no encoding\r\nat all"),
    ])
    mails.append(("western.eml", m.header('multipart/mixed; boundary="%s"' % m.boundary) + body))
    return mails
