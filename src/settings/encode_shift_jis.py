#!/usr/bin/env python3
"""Copies a C++ source written in UTF-8, turning every non-ASCII character of
its string literals into the octal escapes of its Shift_JIS bytes, so that the
compiled strings are Shift_JIS whatever the compiler's own character set.

Every byte of such a character is escaped, ASCII trail bytes ("\\", "A") too;
octal escapes stop after three digits, so nothing that follows is swallowed.
A non-ASCII character outside a string literal, or one that Shift_JIS lacks,
fails the build."""
import sys


def encode(source: str, name: str) -> str:
    out = []
    in_literal = False
    escaped = False
    line = 1
    for ch in source:
        if ch == "\n":
            line += 1
        if ord(ch) >= 0x80:
            if not in_literal:
                sys.exit(f"{name}:{line}: non-ASCII character outside a string literal")
            try:
                encoded = ch.encode("cp932")
            except UnicodeEncodeError:
                sys.exit(f"{name}:{line}: {ch!r} has no Shift_JIS form")
            out.append("".join(f"\\{byte:03o}" for byte in encoded))
            escaped = False
            continue
        out.append(ch)
        if in_literal:
            if escaped:
                escaped = False
            elif ch == "\\":
                escaped = True
            elif ch == '"':
                in_literal = False
        elif ch == '"':
            in_literal = True
    return "".join(out)


def main() -> None:
    source_path, output_path = sys.argv[1], sys.argv[2]
    with open(source_path, encoding="utf-8") as source:
        text = encode(source.read(), source_path)
    with open(output_path, "w", encoding="ascii", newline="\n") as output:
        output.write(text)


if __name__ == "__main__":
    main()
