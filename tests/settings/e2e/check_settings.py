#!/usr/bin/env python3
"""Checks of settings_e2e.sh on what the host script wrote.

  check_settings.py shows STEM ja|en descending|ascending|by-size DITTO_ROW
      STEM.window (caption, raw), STEM.menu, STEM.hints, STEM.table (raw), STEM.panel2-4
      (raw) and STEM.bmp with STEM.grid show the window in that language;
      DITTO_ROW (0: none) is a grid row whose date cell holds the repeat mark
  check_settings.py same-rows TABLE1 TABLE2   the same rows and marks, whatever the language
  check_settings.py same-file FILE1 FILE2
  check_settings.py default-file INI ja|en    the file a first start writes
  check_settings.py placement INI WINDOW...   each window stands where Pos says
  check_settings.py edit SRC DST no-position|moved|absurd
                                              without Pos and other widths, moved, or with
                                              numbers no window writes
  check_settings.py on-screen WINDOW W H       the window's top left corner is on a W x H screen
  check_settings.py in-range INI W H           every number the file holds is in its range
  check_settings.py maximized-file NORMAL MAX  MAX is NORMAL with the maximised mark
  check_settings.py dialog-font FILE FACE SIZE   what the font dialog showed
  check_settings.py text-heights ROW STEM...     how tall the date of a row is drawn
  check_settings.py title ja|en                   the plug-in's title as the host's menu shows it
  check_settings.py chosen-font INI ja|en FACE SIZE COLOUR
  check_settings.py text-colours STEM...      colours of the two folder labels and the grid's text

Texts of the plug-in are bytes of the local code page: Shift_JIS for the
Japanese texts whatever the locale, which a code page 1252 system shows
byte for byte.
"""
import os
import re
import struct
import sys

TITLES = {"ja": "Quillbox プラグイン", "en": "Quillbox Plug-in"}
HEADERS = {
    "ja": ("日付", "ファイル名", "サイズ", "▲", "▼"),
    "en": ("Date", "File Name", "Size", " <<", " >>"),
}
MARKS = {"ja": "★", "en": "X"}
PANELS = {"ja": ("合計: ", "マーク合計: ", " ファイル マーク済み"), "en": ("Total: ", "Marked: ", " files marked")}
VIEW_MENU = {"ja": "表示(&V)", "en": "&View"}
ALL_ITEMS_HINT = {"ja": "全ての添付ファイルをリストアップ", "en": "List All Attachments"}
SYSTEM_WINDOW_TEXT = -2147483640  # the system colour of window text
DEFAULT_FONTS = {"E": ("1", "8", "MS Sans Serif"), "J": ("1", "9", "ＭＳ Ｐゴシック")}
PREFIX = {"ja": "J", "en": "E"}


def sjis(text):
    return text.encode("cp932")


def shown_by_locale(data):
    """Bytes of the local code page as the host's UTF-8 output shows them."""
    if os.environ.get("QBX_LOCALE") == "ja":
        return data.decode("cp932")
    # Code page 1252 leaves its five unassigned bytes as the same code points.
    return "".join(chr(b) if b in (0x81, 0x8D, 0x8F, 0x90, 0x9D) else bytes([b]).decode("cp1252") for b in data)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def fail(message):
    print(message)
    sys.exit(1)


def read_bmp(path):
    data = read(path)
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    step = bits // 8
    stride = (width * step + 3) & ~3

    def pixel(x, y):
        line = y if height < 0 else abs(height) - 1 - y
        start = offset + line * stride + x * step
        return tuple(reversed(data[start:start + 3]))
    return pixel


def column_widths(folder):
    """The widths the settings file beside the plug-in holds (the window
    fits them to its content at a first start), else the design's."""
    ini = os.path.join(folder, "plugins", "quillbox.ini")
    if not os.path.exists(ini):
        return [40, 29, 64, 190, 118, 154, 66]
    return [int(w) for w in re.findall(rb"Grid Width\(\d+\) = (\d+)", read(ini))]


def ink_height(bmp, grid, row):
    """Height of what is drawn in the date cell of a grid row."""
    pixel = read_bmp(bmp)
    left, top = [int(v) for v in read(grid).decode().split("\n")[2].split()[1:3]]
    widths = column_widths(os.path.dirname(bmp))
    # A pixel of grid line after each column.
    date_left = left + widths[0] + widths[1] + 2
    x0, x1 = date_left + 3, date_left + widths[2] - 3
    y0, y1 = top + row * 20 + 1, top + row * 20 + 19
    cells = [(x, y, pixel(x, y)) for y in range(y0, y1) for x in range(x0, x1)]
    counts = {}
    for _, _, colour in cells:
        counts[colour] = counts.get(colour, 0) + 1
    background = max(counts, key=counts.get)
    ink = [y for x, y, colour in cells if sum(abs(a - b) for a, b in zip(colour, background)) > 120]
    return (max(ink) - min(ink) + 1) if ink else 0


def ink_colour(pixel, x0, y0, x1, y1):
    """black, red, green or none: what most strongly drawn pixels of the area are."""
    cells = [pixel(x, y) for y in range(y0, y1) for x in range(x0, x1)]
    counts = {}
    for colour in cells:
        counts[colour] = counts.get(colour, 0) + 1
    background = max(counts, key=counts.get)
    kinds = {}
    for r, g, b in cells:
        if abs(r - background[0]) + abs(g - background[1]) + abs(b - background[2]) < 300:
            continue
        kind = ("black" if max(r, g, b) < 160 and max(r, g, b) - min(r, g, b) < 30
                else "red" if r > 150 and g < 110 and b < 110
                else "green" if g > 90 and r < 80 and b < 80 else "other")
        kinds[kind] = kinds.get(kind, 0) + 1
    return max(kinds, key=kinds.get) if kinds else "none"


def text_colours(stem):
    """The colours of the folder label, the folder name and the date of grid row 3."""
    pixel = read_bmp(stem + ".bmp")
    words = []
    for area in ("target", "folder"):
        left, top, width, height = [int(v) for v in read("%s.%s" % (stem, area)).decode().split("\n")[2].split()[1:]]
        # The folder name's label reaches past the window; its text starts at its left.
        words.append(ink_colour(pixel, left, top, left + min(width, 120), top + height))
    left, top = [int(v) for v in read(stem + ".grid").decode().split("\n")[2].split()[1:3]]
    words.append(ink_colour(pixel, left + 72, top + 61, left + 130, top + 79))
    return " ".join(words)


def expected_header(language, order):
    date, name, size, up, down = HEADERS[language]
    arrow = up if order == "ascending" else down
    by_size = order == "by-size"
    cells = ["No.", "Mark", date + ("" if by_size else arrow), "Subject", "From", name, size + (arrow if by_size else "")]
    return sjis("\t".join(cells))


def table_rows(path):
    return [line.split(b"\t") for line in read(path).split(b"\r\n")]


def shows(stem, language, order, ditto_row):
    problems = []
    caption = read(stem + ".window").split(b"\n")[0]
    if caption != sjis(TITLES[language] + " for Tansy!2"):
        problems.append("caption %r" % caption)
    menu = read(stem + ".menu").decode("utf-8").split("\n")
    options = menu.index(next(line for line in menu if line.startswith("3: popup")))
    checks = ["checked" in menu[options + 1], "checked" in menu[options + 2]]
    if checks != [language == "ja", language == "en"]:
        problems.append("language checks (Japanese, English) %s" % checks)
    view = shown_by_locale(sjis(VIEW_MENU[language]))
    if menu[0] != "0: popup " + view:
        problems.append("view menu %r, expected %r" % (menu[0], view))
    hints = dict(line.split(b": ", 1) for line in read(stem + ".hints").split(b"\n") if line)
    if len(hints) != 12 or not all(hints.values()) or hints[b"2001"] != sjis(ALL_ITEMS_HINT[language]):
        problems.append("tool-button hints %r" % hints)
    rows = table_rows(stem + ".table")
    if b"\t".join(rows[0]) != expected_header(language, order):
        problems.append("header %r" % b"\t".join(rows[0]))
    marks = {row[1] for row in rows[1:]}
    if not marks <= {b"", sjis(MARKS[language])}:
        problems.append("marks %r" % marks)
    total, marked, files = (sjis(text) for text in PANELS[language])
    panels = [read("%s.panel%d" % (stem, n)) for n in (2, 3, 4)]
    if not (panels[0].startswith(total) and panels[1].startswith(marked) and panels[2].endswith(files)):
        problems.append("status panels %r" % panels)
    if ditto_row:
        height = ink_height(stem + ".bmp", stem + ".grid", ditto_row)
        # "〃" stands as tall as a letter; " -" is a dash.
        if not (height >= 4 if language == "ja" else 1 <= height <= 2):
            problems.append("repeat mark in row %d is %d pixels high" % (ditto_row, height))
    if problems:
        fail("%s (%s): %s" % (stem, language, "; ".join(problems)))


def same_rows(first, second):
    a, b = table_rows(first), table_rows(second)
    strip = lambda rows: [[cell for i, cell in enumerate(row) if i != 1] for row in rows[1:]]
    marked = lambda rows: [row[1] != b"" for row in rows[1:]]
    if strip(a) != strip(b) or marked(a) != marked(b) or not any(marked(a)):
        fail("rows differ:\n%r\n%r" % (a, b))


def default_file(path, language):
    text = read(path)
    comment = {"ja": "設定ファイル（直接編集しないで下さい）", "en": "Option Parameter File (DO NOT EDIT THIS FILE DIRECTLY)"}
    lines = ["# %s %s" % (TITLES[language], comment[language]), "", "[App Info]", "version = 1.26", "",
             "[Window Frame]", "POS", "", "[Grid Size]"] + ["WIDTH%d" % i for i in range(7)] + [
             "", "[Export Setting]", "SaveDir = ", "NumberSameNames = 0", "MailDateOnFiles = 1", "", "[View Options]",
             "SortTarget = 1", "ShowType = 3", "ShowOrder = 2", "ClassicRules = 0", "", "[Locale]",
             "Locale = %d" % (1041 if language == "ja" else 1033), "", "[Font]"]
    for prefix in "EJ":
        charset, size, name = DEFAULT_FONTS[prefix]
        lines += ["%s_Charset = %s" % (prefix, charset), "%s_Size = %s" % (prefix, size),
                  "%s_Color = %d" % (prefix, SYSTEM_WINDOW_TEXT), "%s_Name = %s" % (prefix, name)]
    pattern = re.escape(sjis("\r\n".join(lines) + "\r\n"))
    pattern = pattern.replace(b"POS", rb"Pos = \(\d+, \d+, \d+, \d+\)")
    for i in range(7):
        pattern = pattern.replace(b"WIDTH%d" % i, rb"Grid Width\(%d\) = \d+" % i)
    if not re.fullmatch(pattern, text):
        fail("settings file of a first start:\n%r" % text)


def placement(ini, windows):
    saved = re.search(rb"\r\nPos = \((\d+), (\d+), (\d+), (\d+)\)\r\n", read(ini)).groups()
    for window in windows:
        shown = read(window).split(b"\n")[1].split()[1:]
        if shown != list(saved):
            fail("%s: window at %r, saved %r" % (window, shown, saved))


def edit(source, target, how):
    text = read(source)
    if how == "no-position":
        text = re.sub(rb"Pos = [^\r]*\r\n", b"", text)
        text = re.sub(rb"(Grid Width\(\d\)) = \d+", rb"\1 = 77", text)
    elif how == "absurd":
        text = re.sub(rb"Pos = [^\r]*", b"Pos = (5000, 5000, 696, 480)", text)
        text = re.sub(rb"Grid Width\(3\) = \d+", b"Grid Width(3) = 2147483647", text)
        text = re.sub(rb"ShowType = \d+", b"ShowType = 0", text)
        text = re.sub(rb"([EJ])_Size = \d+", rb"\1_Size = 5000", text)
    else:
        text = re.sub(rb"Pos = \(\d+, \d+,", b"Pos = (123, 77,", text)
    with open(target, "wb") as f:
        f.write(text)


def on_screen(window, width, height):
    left, top = [int(v) for v in read(window).split(b"\n")[1].split()[1:3]]
    if not (0 <= left < width and 0 <= top < height):
        fail("%s: the window's corner (%d, %d) is off the %dx%d screen" % (window, left, top, width, height))


def in_range(ini, width, height):
    text = read(ini)
    problems = []
    left, top = [int(v) for v in re.search(rb"\r\nPos = \((\d+), (\d+),", text).groups()]
    if not (left < width and top < height):
        problems.append("Pos (%d, %d)" % (left, top))
    widths = [int(w) for w in re.findall(rb"\r\nGrid Width\(\d+\) = (-?\d+)", text)]
    if not widths or not all(8 <= w <= 2000 for w in widths):
        problems.append("widths %r" % widths)
    sizes = [int(s) for s in re.findall(rb"\r\n[EJ]_Size = (-?\d+)", text)]
    if len(sizes) != 2 or not all(6 <= s <= 72 for s in sizes):
        problems.append("font sizes %r" % sizes)
    if b"\r\nShowType = 3\r\n" not in text:
        problems.append("ShowType %r" % re.search(rb"ShowType = (-?\d+)", text).group(1))
    if problems:
        fail("%s: %s" % (ini, "; ".join(problems)))


def maximized_file(normal, maximized):
    text = read(maximized)
    marked = re.sub(rb"(\r\nPos = [^\r]*)\r\n", rb"\1\r\nMaximized = 1\r\n", read(normal))
    if text != marked:
        fail("closed maximised:\n%r\nexpected:\n%r" % (text, marked))


def dialog_font(path, wanted_face, wanted_size):
    face, size = read(path).decode("utf-8").split("\n")[:2]
    if (face, size) != (wanted_face, wanted_size):
        fail("the font dialog showed %r %r, expected %r %r" % (face, size, wanted_face, wanted_size))


def chosen_font(ini, language, face, size, colour):
    text = read(ini).decode("cp932")
    chosen, other = PREFIX[language], PREFIX["en" if language == "ja" else "ja"]
    wanted = ["%s_Size = %s" % (chosen, size), "%s_Color = %s" % (chosen, colour), "%s_Name = %s" % (chosen, face)]
    charset, other_size, other_name = DEFAULT_FONTS[other]
    wanted += ["%s_Charset = %s" % (other, charset), "%s_Size = %s" % (other, other_size),
               "%s_Color = %d" % (other, SYSTEM_WINDOW_TEXT), "%s_Name = %s" % (other, other_name)]
    lines = text.split("\r\n")
    missing = [line for line in wanted if line not in lines]
    if missing:
        fail("settings file lacks %r:\n%s" % (missing, text))


def main():
    command, args = sys.argv[1], sys.argv[2:]
    if command == "shows":
        shows(args[0], args[1], args[2], int(args[3]))
    elif command == "same-rows":
        same_rows(*args)
    elif command == "same-file":
        if read(args[0]) != read(args[1]):
            fail("%s and %s differ:\n%r\n%r" % (args[0], args[1], read(args[0]), read(args[1])))
    elif command == "default-file":
        default_file(*args)
    elif command == "placement":
        placement(args[0], args[1:])
    elif command == "edit":
        edit(*args)
    elif command == "on-screen":
        on_screen(args[0], int(args[1]), int(args[2]))
    elif command == "in-range":
        in_range(args[0], int(args[1]), int(args[2]))
    elif command == "maximized-file":
        maximized_file(*args)
    elif command == "dialog-font":
        dialog_font(*args)
    elif command == "text-heights":
        print(" ".join(str(ink_height(stem + ".bmp", stem + ".grid", int(args[0]))) for stem in args[1:]))
    elif command == "text-colours":
        print("; ".join(text_colours(stem) for stem in args))
    elif command == "title":
        sys.stdout.write(shown_by_locale(sjis(TITLES[args[0]])))
    elif command == "chosen-font":
        chosen_font(*args)
    else:
        fail("unknown check " + command)


if __name__ == "__main__":
    main()
