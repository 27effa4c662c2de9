#!/usr/bin/env python3
"""Judges removals with Python's email package. Mails in the shapes common
mailers write (mail_shapes.py) and random nested mails go one to a folder
into a store with qbx; random rows of `qbx scan` (one, several, all, at any
depth) are removed with `qbx remove` under the full or the classic rules, in
either language. Then, by Python's reading of the mail before and after:

- every part not removed is there, in order, with the same header lines and
  the same body text (byte for byte); every removed part is gone;
- a mail that lost every part keeps one text/plain part naming the files,
  in the language asked for (Japanese in ISO-2022-JP);
  a mail flattened to its one text part carries that part's body;
- Python finds no defect in the result that it did not find before;
- a new `qbx scan` lists the remaining attachments, at the places Python
  finds them, with the names they had.

  check_removals.py QBX WORK-DIR [MAILS]
"""
import collections
import email
import email.policy
import os
import random
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "mime", "oracle"))
import check_full_rules  # noqa: E402
import mail_shapes  # noqa: E402
from mail_shapes import CRLF, b64_lines, part, text_part, word  # noqa: E402


def run(*args, check=True):
    result = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if check and result.returncode != 0:
        raise RuntimeError("%s: %s" % (" ".join(map(str, args)), result.stderr.decode(errors="replace")))
    return result


class RandomMails:
    """Nested multiparts of random shape, well formed, written byte by byte."""

    def __init__(self, seed):
        self.rng = random.Random(seed)
        self.count = 0

    def name(self):
        rng = self.rng
        base = rng.choice(["report", "photo", "data", "見積書", "写真", "議事録"]) + str(self.count)
        ext = rng.choice(["pdf", "jpg", "zip", "xlsx", "bin"])
        self.count += 1
        text = base + "." + ext
        if text.isascii():
            return text, text
        return text, word(text, rng.choice(["utf-8", "iso-2022-jp", "shift_jis"]))

    def leaf(self):
        rng = self.rng
        kind = rng.randrange(10)
        if kind < 2:
            return text_part("本文 %d\n" % rng.randrange(1000))
        if kind == 2:
            return text_part("<p>%d</p>" % rng.randrange(1000), "html")
        _, written = self.name()
        data = bytes(rng.randrange(256) for _ in range(rng.randrange(1, 400)))
        if kind == 3:
            return part('Content-Type: text/plain; charset=us-ascii; name="%s"\r\n'
                        'Content-Disposition: attachment; filename="%s"\r\nContent-Transfer-Encoding: 7bit'
                        % (written, written), b"line one\r\nline two\r\n")
        return part('Content-Type: application/octet-stream; name="%s"\r\n'
                    'Content-Disposition: attachment; filename="%s"\r\nContent-Transfer-Encoding: base64'
                    % (written, written), b64_lines(data))

    def multipart_body(self, boundary, depth):
        rng = self.rng
        children = []
        for _ in range(rng.randrange(1, 5)):
            if depth < 4 and rng.randrange(4) == 0:
                inner = "%s.%d" % (boundary, len(children))
                subtype = rng.choice(["mixed", "related", "alternative"])
                children.append(part('Content-Type: multipart/%s; boundary="%s"' % (subtype, inner),
                                     self.multipart_body(inner, depth + 1)))
            else:
                children.append(self.leaf())
        preamble = rng.choice([b"", b"This is a multi-part message in MIME format."])
        epilogue = rng.choice([b"", b"", b"epilogue text\r\n"])
        return mail_shapes.multipart(boundary, children, preamble, epilogue)

    def whole(self, n):
        """A mail that is one attachment."""
        m = mail_shapes.Mail(1000 + n, "whole %d" % n)
        _, written = self.name()
        data = bytes(self.rng.randrange(256) for _ in range(self.rng.randrange(1, 400)))
        return m.header('application/pdf; name="%s"\r\nContent-Disposition: attachment; filename="%s"\r\n'
                        "Content-Transfer-Encoding: base64" % (written, written)) + b64_lines(data)

    def mail(self, n):
        if n % 10 == 9:
            return self.whole(n)
        boundary = self.rng.choice(["=_b.%d+x", "----=_NextPart_%d", "Apple-Mail=_%d"]) % n
        m = mail_shapes.Mail(1000 + n, "random %d" % n, boundary=boundary)
        body = self.multipart_body(m.boundary, 1)
        return m.header('multipart/mixed; boundary="%s"' % m.boundary) + body


def leaves(message):
    """(path, part) for every leaf, message/rfc822 being one, as the scan has them."""
    return check_full_rules.leaves(message)


def leaf_record(leaf):
    """What must stay byte for byte: the header lines as written, the body text."""
    body = leaf.get_payload(decode=False)
    if isinstance(body, list):
        body = [b.as_bytes() for b in body]
    return (tuple(leaf.raw_items()), body)


def defects(message):
    return collections.Counter(type(d).__name__ for p in message.walk() for d in p.defects)


def flag_attachments(index):
    """Marks every mail of the index as one with attachments, as a client may
    mark a mail that is one attachment (the store marks multiparts only)."""
    with open(index, "rb") as f:
        lines = f.read().split(b"\r\n")
    fields = [line.split(b"\x01") for line in lines]
    for line in fields:
        if len(line) > 12:
            line[12] = b"8"
    with open(index, "wb") as f:
        f.write(b"\r\n".join(b"\x01".join(line) for line in fields))


def path_of(row):
    """The part path of a scan row; () for a mail that is one attachment."""
    return () if row[6] == b"0" else tuple(int(n) for n in row[6].split(b"."))


def scan(qbx, data, folder, rules):
    rows = run(qbx, "scan", data, folder, "--rules", rules).stdout.splitlines()
    return [row.split(b"\t") for row in rows]


def judge(before, after, rows, chosen):
    """What is wrong with after, the mail before without the chosen rows' parts."""
    old = email.message_from_bytes(before, policy=email.policy.compat32)
    new = email.message_from_bytes(after, policy=email.policy.compat32)
    new_defects = defects(new) - defects(old)
    if new_defects:
        return "new defects %s" % dict(new_defects)
    removed = {path_of(rows[i]) for i in chosen}
    if removed == {()}:
        # The mail was the attachment: now a text mail whose body names it.
        if new.is_multipart() or new.get_content_type() != "text/plain" or new.get("content-disposition"):
            return "a mail that was one attachment is not a plain text mail now"
        if rows[chosen[0]][2].isascii() and b'"' + rows[chosen[0]][2] + b'"' not in new.get_payload(decode=True):
            return "the note does not name the attachment"
        return None
    old_leaves = list(leaves(old))
    if not removed <= {path for path, _ in old_leaves}:
        return "a removed row is no leaf for Python"
    kept = [leaf_record(leaf) for path, leaf in old_leaves if path not in removed]
    new_leaves = [leaf for _, leaf in leaves(new)]
    got = [leaf_record(leaf) for leaf in new_leaves]
    if new.get("content-type") != old.get("content-type"):
        # Flattened: the mail is its one kept top-level part, which keeps
        # every part it had but the removed ones; a single part's body ends
        # with a line break.
        if not new.is_multipart():
            body = new.get_payload(decode=False)
            if len(kept) != 1 or body not in (kept[0][1], kept[0][1] + "\r\n"):
                return "flattened, but not to the one kept part's body"
        elif got != kept:
            return "flattened to a multipart that lost more or less than the removed parts"
        return None
    if not kept:
        if len(new_leaves) != 1 or new_leaves[0].get_content_type() != "text/plain":
            return "no part left, and not one text/plain note"
        note = new_leaves[0].get_payload(decode=True)
        for i in chosen:
            name = rows[i][2]
            if name.isascii() and b'"' + name + b'"' not in note:
                return "the note does not name %r" % name
        return None
    if got != kept:
        return "the kept parts are not the same (%d kept, %d found)" % (len(kept), len(got))
    if (new.preamble or "") != (old.preamble or "") or (new.epilogue or "") != (old.epilogue or ""):
        return "preamble or epilogue changed"
    return None


NOTE = {"ja": "次の添付ファイルを削除しました: ", "en": "These attachments were removed on "}


def note_fault(after, language, tally):
    """A note left in the mail is in the language asked for, and a Japanese
    one in ISO-2022-JP, as Python decodes it."""
    for leaf in email.message_from_bytes(after, policy=email.policy.default).walk():
        if leaf.is_multipart() or leaf.get_content_type() != "text/plain":
            continue
        text = leaf.get_content()
        if not any(text.startswith(sentence) for sentence in NOTE.values()):
            continue
        tally["note " + language] += 1
        if not text.startswith(NOTE[language]):
            return "the note is not in the language asked for: %r" % text
        if language == "ja" and leaf.get_content_charset() != "iso-2022-jp":
            return "a Japanese note in %s" % leaf.get_content_charset()
    return None


def main():
    qbx, work = sys.argv[1], sys.argv[2]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 120
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    rng = random.Random(17)
    generator = RandomMails(17)
    mails = [data for _, data in mail_shapes.shapes()] + [generator.mail(n) for n in range(count)]
    data_dir = os.path.join(work, "data")
    failures = []
    tally = collections.Counter()
    for n, source in enumerate(mails):
        eml = os.path.join(work, "m%d.eml" % n)
        with open(eml, "wb") as f:
            f.write(source)
        folder = "box/m%d/" % n
        run(qbx, "import", os.path.join(data_dir, "box", "m%d" % n), eml)
        if not source.split(b"Content-Type: ", 1)[1].startswith(b"multipart/"):
            flag_attachments(os.path.join(data_dir, "box", "m%d" % n, "Folder.idx"))
        rules = rng.choice(["full", "full", "classic"])
        rows = scan(qbx, data_dir, folder, rules)
        if not rows:
            continue
        mail_id = rows[0][0].decode()
        before = run(qbx, "source", data_dir, mail_id).stdout
        how = rng.randrange(3)
        if how == 0:
            chosen = [rng.randrange(len(rows))]
        elif how == 1:
            chosen = sorted(rng.sample(range(len(rows)), rng.randrange(1, len(rows) + 1)))
        else:
            chosen = list(range(len(rows)))
        language = rng.choice(["ja", "en"])
        removal = run(qbx, "remove", data_dir, folder, *[str(i + 1) for i in chosen], "--rules", rules,
                      "--language", language, check=False)
        if removal.returncode != 0:
            failures.append("mail %d: qbx remove failed: %s" % (n, removal.stderr.decode(errors="replace")))
            continue
        after = run(qbx, "source", data_dir, mail_id).stdout
        fault = judge(before, after, rows, chosen) or note_fault(after, language, tally)
        if fault:
            failures.append("mail %d (%s rules, rows %s): %s" % (n, rules, chosen, fault))
            continue
        # The rest, listed again at the places Python finds them now. A mail
        # flattened under the classic rules may hold parts they never
        # listed (inside the one part it kept); the store may take a mail
        # flattened to an alternative text for one without attachments.
        flattened = email.message_from_bytes(after)["content-type"] != email.message_from_bytes(before)["content-type"]
        # HTML rows depend on the text parts beside them, which may go.
        left = [row[2] for i, row in enumerate(rows) if i not in chosen and row[5] == b"0"]
        if flattened:
            tally["flattened"] += 1
            if rules == "classic":
                continue
        rescanned = scan(qbx, data_dir, folder, rules)
        expected = [(path_of(r), r[2]) for r in rescanned]
        if [r[2] for r in rescanned if r[5] == b"0"] != left:
            failures.append("mail %d: rescan lists %r, expected %r" % (n, [r[2] for r in rescanned], left))
            continue
        if rules == "full" and not flattened:
            python_rows = [(path, check_full_rules.local_name(name))
                           for path, name, _, _ in check_full_rules.expected_rows(after)]
            if python_rows != expected:
                failures.append("mail %d: rescan %r, Python's reading %r" % (n, expected, python_rows))
                continue
        tally["whole" if rows[0][6] == b"0" else "nested" if any(b"." in rows[i][6] for i in chosen) else "top"] += 1
        tally["all" if len(chosen) == len(rows) else "some"] += 1
        tally[rules] += 1
    print("%d mails; removals checked against Python's email: %s" % (len(mails), dict(sorted(tally.items()))))
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures or tally["nested"] < 10 or tally["whole"] < 5 or not tally["note ja"] else 0


if __name__ == "__main__":
    sys.exit(main())
