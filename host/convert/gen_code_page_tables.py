#!/usr/bin/env python3
"""Writes the code-page tables the host's text services convert with.

  gen_code_page_tables.py OUTPUT.cpp

For each code page: the byte sequences it decodes to Unicode, and the reverse
table (Unicode to bytes) as Python's codecs encode it, both sorted for binary
search. Generated at build time so no table is kept by hand.
"""
import sys

CODE_PAGES = {932: "cp932", 1252: "cp1252"}


def decode_pairs(codec):
    pairs = []
    for b in range(0x100):
        try:
            pairs.append((b, ord(bytes([b]).decode(codec))))
        except UnicodeDecodeError:
            pass
    if codec == "cp932":
        for lead in list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD)):
            for trail in range(0x40, 0xFD):
                if trail == 0x7F:
                    continue
                try:
                    text = bytes([lead, trail]).decode(codec)
                except UnicodeDecodeError:
                    continue
                if len(text) == 1:
                    pairs.append(((lead << 8) | trail, ord(text)))
    return sorted(pairs)


def encode_pairs(codec, decoded):
    pairs = {}
    for _, u in decoded:
        data = chr(u).encode(codec)
        pairs[u] = int.from_bytes(data, "big")
    return sorted(pairs.items())


def table(name, pairs):
    rows = ",".join(f"{{0x{a:X},0x{b:X}}}" for a, b in pairs)
    return f"const TCodePair {name}[] = {{{rows}}};\nconst std::size_t {name}Size = {len(pairs)};\n"


def main(out):
    parts = ['#include "convert/code_page_tables.h"\n', "namespace quillbox::tables {\n"]
    for cp, codec in CODE_PAGES.items():
        dec = decode_pairs(codec)
        parts.append(table(f"kDecode{cp}", dec))
        parts.append(table(f"kEncode{cp}", encode_pairs(codec, dec)))
    parts.append("}  // namespace quillbox::tables\n")
    with open(out, "w", encoding="ascii") as f:
        f.write("\n".join(parts))


if __name__ == "__main__":
    main(sys.argv[1])
