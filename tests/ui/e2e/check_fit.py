#!/usr/bin/env python3
"""Checks that the attachment window shows its texts whole at a density.

  check_fit.py DIR TAG DPI INI

Reads what the host wrote for one moment of the window (TAG) in DIR:
  TAG-fit.txt      the host's text-fit report: labels, status panels, tool bar
  TAG-window.txt   window-info of the window
  TAG-h-COL-N.txt  "W H" of heading N of grid column COL in the grid's font
  TAG-d-N.txt      "W H" of date N in the grid's font
and INI, the settings file written when the window closed, whose column
widths and window size are in 96-DPI units. Every design size of the window
is its 96-DPI value times DPI/96, rounded half away from zero. A text fits
a grid cell when its width and the cell's margins fit the column and its
height (leading included) fits the row.
"""
import glob
import os
import re
import sys


def scale(value, dpi):
    return (abs(value) * dpi + 48) // 96 * (1 if value >= 0 else -1)


def numbers(path):
    return [int(n) for n in open(path, encoding="utf-8").read().split()]


def main():
    folder, tag, dpi, ini = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
    settings = open(ini, "rb").read().decode("latin-1")
    columns = [scale(int(w), dpi) for w in re.findall(r"Grid Width\(\d+\) = (\d+)", settings)]
    margin, row_height = scale(2, dpi), scale(19, dpi)
    problems = []

    for line in open(os.path.join(folder, f"{tag}-fit.txt"), encoding="utf-8"):
        found = re.match(r"(label \d+|panel \d+): text (\d+) (\d+) box (\d+) (\d+)(?: border (\d+))?", line)
        if found:
            what, tw, th, bw, bh = found.group(1), *map(int, found.groups()[1:5])
            inset = 2 * (int(found.group(6)) + 3) if found.group(6) else 0
            if tw + inset > bw or th > bh:
                problems.append(f"{what}: text {tw}x{th} in {bw}x{bh}")
        found = re.match(r"toolbar: image (\d+) (\d+) button (\d+) (\d+)", line)
        if found:
            iw, ih, bw, bh = map(int, found.groups())
            # The pictures are drawn at 32, 40, 48 and 64 pixels.
            wanted = max(size for size in (32, 40, 48, 64) if size <= max(scale(32, dpi), 32))
            if (iw, ih) != (wanted, wanted) or bw <= iw or bh <= ih:
                problems.append(f"tool bar: pictures {iw}x{ih} (want {wanted}) in buttons {bw}x{bh}")

    for path in sorted(glob.glob(os.path.join(folder, f"{tag}-h-*.txt"))):
        col = int(re.search(r"-h-(\d+)-", path).group(1))
        width, height = numbers(path)
        if width + 2 * margin > columns[col] or height > row_height:
            problems.append(f"heading of column {col}: {width}x{height} in {columns[col]}x{row_height}")
    dates = sorted(glob.glob(os.path.join(folder, f"{tag}-d-*.txt")))
    for path in dates:
        width, height = numbers(path)
        if width + 2 * margin > columns[2] or height > row_height:
            problems.append(f"date: {width}x{height} in {columns[2]}x{row_height}")

    window = re.search(r"window -?\d+ -?\d+ (\d+) (\d+)", open(os.path.join(folder, f"{tag}-window.txt"),
                                                                 encoding="utf-8").read())
    saved = re.search(r"Pos = \(-?\d+, -?\d+, (\d+), (\d+)\)", settings)
    size, kept = tuple(map(int, window.groups())), tuple(scale(int(v), dpi) for v in saved.groups())
    if any(abs(a - b) > 2 for a, b in zip(size, kept)):
        problems.append(f"window {size[0]}x{size[1]}, settings file {kept[0]}x{kept[1]} at {dpi} DPI")

    print(f"{tag} at {dpi} DPI: columns {columns}, window {size[0]}x{size[1]}, {len(dates)} dates")
    for problem in problems:
        print("clipped:", problem)
    sys.exit(1 if problems or not dates else 0)


if __name__ == "__main__":
    main()
