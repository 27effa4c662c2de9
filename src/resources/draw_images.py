#!/usr/bin/env python3
"""Draws the plug-in's pictures: an envelope with a paper clip.

  draw_images.py MENU_BMP ICON

MENU_BMP: 20 x 20 pixels, 16 colours (4 bits per pixel), shown beside the
menu command. ICON: the same picture at 32 x 32 and 16 x 16, 16 colours,
with a transparent background.
"""
import struct
import sys

# The sixteen colours of the classic Windows palette, as (blue, green, red).
PALETTE = [
    (0x00, 0x00, 0x00), (0x00, 0x00, 0x80), (0x00, 0x80, 0x00), (0x00, 0x80, 0x80),
    (0x80, 0x00, 0x00), (0x80, 0x00, 0x80), (0x80, 0x80, 0x00), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0x00, 0x00, 0xFF), (0x00, 0xFF, 0x00), (0x00, 0xFF, 0xFF),
    (0xFF, 0x00, 0x00), (0xFF, 0x00, 0xFF), (0xFF, 0xFF, 0x00), (0xFF, 0xFF, 0xFF),
]
BLACK, NAVY, GRAY, SILVER, BLUE, WHITE = 0, 4, 8, 7, 12, 15

# 20 x 20, one character per pixel: "." background, "k" outline, "w" paper,
# "n" the flap's fold, "c" the clip's wire, "h" its highlight.
PICTURE = [
    "....................",
    "..............ccc...",
    ".............c...c..",
    ".............c.h.c..",
    ".............c.h.c..",
    "kkkkkkkkkkkkkckhkck.",
    "knwwwwwwwwwwncwhwck.",
    "kwnwwwwwwwwnwcwhwck.",
    "kwwnwwwwwwnwwcwhwck.",
    "kwwwnwwwwnwwwcwhwck.",
    "kwwwwnwwnwwwwcwhwck.",
    "kwwwwwnnwwwwwcwwwck.",
    "kwwwwwwwwwwwwcwwwck.",
    "kwwwwwwwwwwwwwcccwk.",
    "kwwwwwwwwwwwwwwwwwk.",
    "kwwwwwwwwwwwwwwwwwk.",
    "kwwwwwwwwwwwwwwwwwk.",
    "kkkkkkkkkkkkkkkkkkk.",
    "....................",
    "....................",
]
COLOURS = {"k": BLACK, "w": WHITE, "n": NAVY, "c": GRAY, "h": BLUE}
MENU_BACKGROUND = SILVER


def pixels(size, background):
    """The picture scaled to size x size (nearest pixel); None is background."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            ch = PICTURE[y * len(PICTURE) // size][x * len(PICTURE[0]) // size]
            row.append(COLOURS.get(ch, background))
        rows.append(row)
    return rows


def packed_rows(rows, bits):
    """Bottom-up rows of the given depth, each padded to 4 bytes."""
    out = b""
    for row in reversed(rows):
        data = bytearray()
        if bits == 4:
            for i in range(0, len(row), 2):
                lo = row[i + 1] if i + 1 < len(row) else 0
                data.append((row[i] << 4) | lo)
        else:
            for i in range(0, len(row), 8):
                byte = 0
                for j, bit in enumerate(row[i:i + 8]):
                    byte |= bit << (7 - j)
                data.append(byte)
        data += b"\0" * (-len(data) % 4)
        out += bytes(data)
    return out


def info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 0, 0, 16, 0)


def palette():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for b, g, r in PALETTE)


def menu_bitmap():
    rows = pixels(20, MENU_BACKGROUND)
    bits = packed_rows(rows, 4)
    header = info_header(20, 20, len(bits)) + palette()
    offset = 14 + len(header)
    return struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset) + header + bits


def icon_image(size):
    rows = pixels(size, None)
    colours = [[BLACK if p is None else p for p in row] for row in rows]
    mask = [[1 if p is None else 0 for p in row] for row in rows]
    xor_bits, and_bits = packed_rows(colours, 4), packed_rows(mask, 1)
    return info_header(size, size * 2, len(xor_bits) + len(and_bits)) + palette() + xor_bits + and_bits


def icon():
    sizes = [32, 16]
    images = [icon_image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    assert len(PICTURE) == 20 and all(len(r) == 20 for r in PICTURE)
    with open(argv[1], "wb") as f:
        f.write(menu_bitmap())
    with open(argv[2], "wb") as f:
        f.write(icon())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
