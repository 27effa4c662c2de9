#!/usr/bin/env python3
"""Draws the main window's tool-bar pictures at the sizes a window shows them.

  draw_toolbar_images.py OUT_DIR SIZE...

For each SIZE, OUT_DIR/toolbar_images_SIZE.bmp: twelve SIZE x SIZE pictures
side by side, by index: 0 mark rows, 1 unmark rows, 2 save marked
attachments, 3 delete marked attachments, 4 ascending, 5 descending, 6 all
attachments, 7 only HTML mails, 8 all but HTML mails, 9 sort by date, 10 sort
by size, 11 save marked attachments, then delete them; and
OUT_DIR/toolbar_greyed_SIZE.bmp: the same pictures as a disabled button
shows them, at the same indexes. Magenta (255, 0, 255) is transparent. The pictures are
designed on a 32 x 32 grid and drawn afresh at each size, not stretched.
"""
import math
import os
import struct
import sys

DESIGN = 32
CLEAR = (255, 0, 255)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
LIGHT = (200, 200, 200)
RED = (214, 40, 40)
DARK_RED = (140, 20, 20)
BLUE = (40, 90, 200)
SKY = (120, 170, 240)
GREEN = (40, 150, 60)
YELLOW = (240, 200, 60)
BROWN = (150, 110, 30)


class Canvas:
    """A picture of size x size pixels; every drawing call takes positions on
    the 32 x 32 design grid."""

    def __init__(self, size):
        self.size = size
        self.scale = size / DESIGN
        self.px = [[CLEAR] * size for _ in range(size)]

    def pixel(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = colour

    def span(self, first, last):
        """The pixels that design cells first to last cover."""
        start = round(first * self.scale)
        return range(start, max(round((last + 1) * self.scale), start + 1))

    def pixels(self):
        """Every pixel with the position of its centre on the design grid."""
        for y in range(self.size):
            for x in range(self.size):
                yield x, y, (x + 0.5) / self.scale, (y + 0.5) / self.scale

    def dot(self, x, y, colour):
        self.fill(x, y, x, y, colour)

    def fill(self, x0, y0, x1, y1, colour):
        for y in self.span(y0, y1):
            for x in self.span(x0, x1):
                self.pixel(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        self.fill(x0, y0, x1, y0, colour)
        self.fill(x0, y1, x1, y1, colour)
        self.fill(x0, y0, x0, y1, colour)
        self.fill(x1, y0, x1, y1, colour)

    def box(self, x0, y0, x1, y1, inside, outline=BLACK):
        self.fill(x0, y0, x1, y1, inside)
        self.frame(x0, y0, x1, y1, outline)

    def line(self, x0, y0, x1, y1, colour, width=1):
        """A round pen as wide as width design pixels, from the centre of one
        design pixel to the centre of another."""
        s = self.scale
        ax, ay, bx, by = ((v + 0.5) * s for v in (x0, y0, x1, y1))
        radius = width * s / 2
        steps = max(int(2 * max(abs(bx - ax), abs(by - ay))), 1)
        for i in range(steps + 1):
            cx = ax + (bx - ax) * i / steps
            cy = ay + (by - ay) * i / steps
            for y in range(int(cy - radius) - 1, int(cy + radius) + 2):
                for x in range(int(cx - radius) - 1, int(cx + radius) + 2):
                    if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 < radius * radius:
                        self.pixel(x, y, colour)

    def polygon(self, points, colour, outline=None):
        for x, y, dx, dy in self.pixels():
            if inside(points, dx, dy):
                self.pixel(x, y, colour)
        if outline:
            for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                self.line(round(ax), round(ay), round(bx), round(by), outline)

    def disc(self, cx, cy, r, colour, outline=None):
        for x, y, dx, dy in self.pixels():
            d = math.hypot(dx - cx, dy - cy)
            if d <= r:
                self.pixel(x, y, outline if outline and d > r - 1.2 else colour)


def inside(points, x, y):
    result = False
    for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
        if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
            result = not result
    return result


def star(cx, cy, outer, inner):
    points = []
    for i in range(10):
        r = outer if i % 2 == 0 else inner
        a = -math.pi / 2 + i * math.pi / 5
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return points


def sheet_with_rows(c):
    c.box(3, 2, 22, 28, WHITE)
    for y in (7, 12, 17, 22):
        c.line(6, y, 19, y, GREY)


def paper_clip(c, x, colour=(70, 70, 95)):
    c.line(x, 6, x, 24, colour, 2)
    c.line(x + 8, 3, x + 8, 24, colour, 2)
    c.line(x + 4, 9, x + 4, 22, colour, 2)
    c.line(x, 24, x + 4, 28, colour, 2)
    c.line(x + 4, 28, x + 8, 24, colour, 2)
    c.line(x, 6, x + 4, 2, colour, 2)
    c.line(x + 4, 2, x + 8, 3, colour, 2)


def globe(c, cx, cy, r):
    c.disc(cx, cy, r, SKY, BLUE)
    c.line(cx - r + 1, cy, cx + r - 1, cy, BLUE)
    c.line(cx, cy - r + 1, cx, cy + r - 1, BLUE)
    for y in range(DESIGN):
        dy = y + 0.5 - cy
        if abs(dy) < r - 1:
            half = math.sqrt(r * r - dy * dy) * 0.45
            c.dot(round(cx - half), y, BLUE)
            c.dot(round(cx + half), y, BLUE)


def bars(c, heights):
    for i, h in enumerate(heights):
        x = 2 + i * 6
        c.box(x, 29 - h, x + 4, 29, GREEN)


def arrow(c, x, up):
    if up:
        c.polygon([(x, 3), (x + 6, 11), (x - 6, 11)], BLUE)
        c.line(x, 10, x, 29, BLUE, 3)
    else:
        c.polygon([(x, 29), (x + 6, 21), (x - 6, 21)], BLUE)
        c.line(x, 3, x, 22, BLUE, 3)


def mark_rows(c):
    sheet_with_rows(c)
    c.polygon(star(22, 20, 10, 4), RED, DARK_RED)


def unmark_rows(c):
    sheet_with_rows(c)
    c.polygon(star(22, 20, 10, 4), WHITE, GREY)
    c.line(13, 29, 31, 11, RED, 2)


def save_marks(c):
    c.polygon([(2, 12), (12, 12), (14, 15), (29, 15), (29, 29), (2, 29)], YELLOW, BROWN)
    c.fill(13, 2, 19, 12, BLUE)
    c.polygon([(8, 12), (24, 12), (16, 22)], BLUE)
    c.polygon(star(25, 7, 6, 2.5), RED, DARK_RED)


def delete_marks(c):
    paper_clip(c, 6)
    c.line(15, 12, 29, 28, RED, 3)
    c.line(29, 12, 15, 28, RED, 3)
    c.polygon(star(25, 7, 6, 2.5), RED, DARK_RED)


def detach_marks(c):
    """The attachment's clip goes into the folder: saved, then taken out."""
    c.polygon([(10, 18), (17, 18), (19, 21), (30, 21), (30, 30), (10, 30)], YELLOW, BROWN)
    paper_clip(c, 2)
    c.line(13, 6, 18, 11, BLUE, 3)
    c.polygon([(23, 17), (23, 9), (15, 17)], BLUE)
    c.polygon(star(26, 5, 5, 2), RED, DARK_RED)


def ascending(c):
    bars(c, [6, 12, 18])
    arrow(c, 25, True)


def descending(c):
    bars(c, [18, 12, 6])
    arrow(c, 25, False)


def all_items(c):
    c.box(10, 4, 27, 26, WHITE, GREY)
    c.box(6, 7, 23, 29, WHITE)
    paper_clip(c, 10)


def only_html(c):
    c.box(4, 3, 25, 29, WHITE)
    globe(c, 16, 17, 10)


def non_html(c):
    paper_clip(c, 3)
    globe(c, 22, 21, 8)
    c.line(14, 13, 30, 29, RED, 2)


def by_date(c):
    c.box(3, 5, 28, 29, WHITE)
    c.fill(4, 6, 27, 11, RED)
    c.line(9, 2, 9, 8, BLACK, 2)
    c.line(22, 2, 22, 8, BLACK, 2)
    for row in range(3):
        for col in range(4):
            x, y = 6 + col * 6, 14 + row * 5
            c.fill(x, y, x + 3, y + 2, BLUE if (row, col) == (1, 2) else LIGHT)


def by_size(c):
    c.box(2, 23, 8, 29, YELLOW, BROWN)
    c.box(10, 17, 18, 29, YELLOW, BROWN)
    c.box(20, 8, 30, 29, YELLOW, BROWN)


PICTURES = [mark_rows, unmark_rows, save_marks, delete_marks, ascending, descending,
            all_items, only_html, non_html, by_date, by_size, detach_marks]


def greyed(colour):
    if colour == CLEAR:
        return CLEAR
    luma = (colour[0] * 30 + colour[1] * 59 + colour[2] * 11) // 100
    value = 128 + luma // 2
    return (value, value, value)


def write_bmp(path, canvases, recolour=lambda c: c):
    """Pictures side by side, bottom-up, with a palette of the colours used:
    four bits a pixel, or eight when there are more than sixteen colours."""
    size = canvases[0].size
    width = size * len(canvases)
    rows = [[recolour(colour) for canvas in canvases for colour in canvas.px[y]] for y in range(size)]
    palette = sorted({colour for row in rows for colour in row})
    bits = 4 if len(palette) <= 16 else 8
    assert len(palette) <= 256
    index = {colour: i for i, colour in enumerate(palette)}
    stride = ((width * bits + 31) // 32) * 4
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        if bits == 4:
            padded = row + [row[-1]] * (len(row) % 2)
            for a, b in zip(padded[0::2], padded[1::2]):
                line.append(index[a] << 4 | index[b])
        else:
            line += bytes(index[colour] for colour in row)
        data += line + bytes(stride - len(line))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    header = struct.pack("<IiiHHIIiiII", 40, width, size, 1, bits, 0, len(data), 2835, 2835, len(palette), 0)
    offset = 14 + len(header) + len(table)
    with open(path, "wb") as out:
        out.write(struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset))
        out.write(header + table + data)


def main():
    folder = sys.argv[1]
    for size in (int(arg) for arg in sys.argv[2:]):
        canvases = []
        for draw in PICTURES:
            canvas = Canvas(size)
            draw(canvas)
            canvases.append(canvas)
        write_bmp(os.path.join(folder, f"toolbar_images_{size}.bmp"), canvases)
        write_bmp(os.path.join(folder, f"toolbar_greyed_{size}.bmp"), canvases, greyed)


if __name__ == "__main__":
    main()
