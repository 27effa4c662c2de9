#!/usr/bin/env python3
"""How Python's email package reads a mail: email_report.py FILE [HEADER...]

Prints, a line each:
  defects N           defects found anywhere in the mail
  field NAME          each field of the mail's own header, in order
  attachment NAME     each part with a file name, in order
  quoted HEADER HEX   each double-quoted string of HEADER's value, the value
                      read as ISO-2022-JP and unfolded, unquoted by
                      email.utils.unquote, as Shift_JIS bytes in hex
"""
import email
import email.policy
import email.utils
import re
import sys


def main():
    with open(sys.argv[1], "rb") as f:
        mail = email.message_from_bytes(f.read(), policy=email.policy.compat32)
    print("defects", sum(len(part.defects) for part in mail.walk()))
    for name in mail.keys():
        print("field", name)
    for part in mail.walk():
        if part.get_filename():
            print("attachment", part.get_filename())
    for header in sys.argv[2:]:
        for value in mail.get_all(header) or []:
            text = value.encode("ascii", "surrogateescape").decode("iso2022_jp")
            text = re.sub(r"\r?\n(?=[ \t])", "", text)
            for quoted in re.findall(r'"(?:[^"\\]|\\.)*"', text):
                print("quoted", header, email.utils.unquote(quoted).encode("cp932").hex())


if __name__ == "__main__":
    main()
