#!/usr/bin/env python3
"""Draws the main window's tool-bar pictures.

  draw_toolbar_images.py IMAGES_BMP GREYED_BMP

IMAGES_BMP: eleven 32 x 32 pictures side by side (24 bits per pixel), by
index: 0 mark rows, 1 unmark rows, 2 save marked attachments, 3 delete marked
attachments, 4 ascending, 5 descending, 6 all attachments, 7 only HTML mails,
8 all but HTML mails, 9 sort by date, 10 sort by size. GREYED_BMP: pictures
0 to 5 as a disabled button shows them. Magenta (255, 0, 255) is transparent.
"""
import math
import struct
import sys

SIZE = 32
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
    def __init__(self):
        self.px = [[CLEAR] * SIZE for _ in range(SIZE)]

    def dot(self, x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.dot(x, y0, colour)
            self.dot(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.dot(x0, y, colour)
            self.dot(x1, y, colour)

    def box(self, x0, y0, x1, y1, inside, outline=BLACK):
        self.fill(x0, y0, x1, y1, inside)
        self.frame(x0, y0, x1, y1, outline)

    def line(self, x0, y0, x1, y1, colour, width=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        r = (width - 1) / 2
        for i in range(steps + 1):
            x = x0 + (x1 - x0) * i / steps
            y = y0 + (y1 - y0) * i / steps
            for dy in range(-int(r + 0.5), int(r + 0.5) + 1):
                for dx in range(-int(r + 0.5), int(r + 0.5) + 1):
                    if dx * dx + dy * dy <= r * r + 0.5:
                        self.dot(round(x + dx), round(y + dy), colour)

    def polygon(self, points, colour, outline=None):
        for y in range(SIZE):
            for x in range(SIZE):
                if inside(points, x + 0.5, y + 0.5):
                    self.dot(x, y, colour)
        if outline:
            for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                self.line(round(ax), round(ay), round(bx), round(by), outline)

    def disc(self, cx, cy, r, colour, outline=None):
        for y in range(SIZE):
            for x in range(SIZE):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if d <= r:
                    self.dot(x, y, outline if outline and d > r - 1.2 else colour)


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
    for y in range(SIZE):
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
            all_items, only_html, non_html, by_date, by_size]


def greyed(colour):
    if colour == CLEAR:
        return CLEAR
    luma = (colour[0] * 30 + colour[1] * 59 + colour[2] * 11) // 100
    value = 128 + luma // 2
    return (value, value, value)


def write_bmp(path, canvases, recolour=lambda c: c):
    width = SIZE * len(canvases)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(SIZE)):  # bottom-up
        row = bytearray()
        for canvas in canvases:
            for colour in canvas.px[y]:
                r, g, b = recolour(colour)
                row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    header = struct.pack("<IiiHHIIiiII", 40, width, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header)))
        out.write(header + pixels)


def main():
    canvases = []
    for draw in PICTURES:
        canvas = Canvas()
        draw(canvas)
        canvases.append(canvas)
    write_bmp(sys.argv[1], canvases)
    write_bmp(sys.argv[2], canvases[:6], greyed)


if __name__ == "__main__":
    main()
