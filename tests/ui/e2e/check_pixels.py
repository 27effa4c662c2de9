#!/usr/bin/env python3
"""Checks the colours of the attachment list on a screenshot.

  check_pixels.py SCREENSHOT.bmp

The list must show a marked row (255, 238, 238), an HTML file-name cell
(255, 255, 221), other file-name cells (248, 248, 255), and an icon at the
left of a file-name cell, where the name leaves room for it.
"""
import struct
import sys

MARKED = (255, 238, 238)
HTML_NAME = (255, 255, 221)
FILE_NAME = (248, 248, 255)


def read_bmp(path):
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    step = bits // 8
    stride = (width * step + 3) & ~3
    rows = []
    for y in range(abs(height)):
        line = y if height < 0 else abs(height) - 1 - y
        start = offset + line * stride
        rows.append([tuple(reversed(data[start + x * step:start + x * step + 3])) for x in range(width)])
    return rows


def runs(rows, colour, length):
    """(y, x0) of horizontal runs of at least length pixels of colour."""
    found = []
    for y, row in enumerate(rows):
        x = 0
        while x < len(row):
            if row[x] != colour:
                x += 1
                continue
            start = x
            while x < len(row) and row[x] == colour:
                x += 1
            if x - start >= length:
                found.append((y, start))
    return found


def main():
    rows = read_bmp(sys.argv[1])
    failures = []
    for name, colour in (("marked row", MARKED), ("HTML file name", HTML_NAME), ("file name", FILE_NAME)):
        if not runs(rows, colour, 60):
            failures.append("no %s background %s" % (name, colour))
    # A full-width run of the file-name colour starts at the cell's left
    # edge; the icon lies just right of it, where the name leaves blanks.
    # Uniform lines (grid lines) are not an icon.
    icon_found = False
    for y, x0 in runs(rows, FILE_NAME, 100):
        painted = 0
        for yy in range(max(y - 8, 0), min(y + 9, len(rows))):
            segment = rows[yy][x0:x0 + 18]
            if len(set(segment)) > 1:
                painted += sum(1 for p in segment if p != FILE_NAME)
        if painted >= 30:
            icon_found = True
            break
    if not icon_found:
        failures.append("no icon at the left of a file-name cell")
    for failure in failures:
        print(failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
