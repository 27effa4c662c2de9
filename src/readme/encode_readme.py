#!/usr/bin/env python3
"""Writes a ReadMe file as it ships: lines ending in CR LF, in the code page
of its language.

  encode_readme.py SOURCE OUTPUT ENCODING

SOURCE is UTF-8. ENCODING is cp932 (Shift_JIS as Windows has it) for the
Japanese file and ascii for the English one; a character the encoding lacks
fails the build, as does a tab or a trailing blank (editors disagree on both).
"""
import sys


def main(argv):
    if len(argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    source, output, encoding = argv[1:]
    with open(source, encoding="utf-8") as f:
        lines = f.read().split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    for number, line in enumerate(lines, 1):
        if "\t" in line or line != line.rstrip():
            sys.exit(f"{source}:{number}: tab or trailing blank")
        try:
            line.encode(encoding)
        except UnicodeEncodeError as error:
            sys.exit(f"{source}:{number}: {line[error.start]!r} has no {encoding} form")
    with open(output, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode(encoding))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
