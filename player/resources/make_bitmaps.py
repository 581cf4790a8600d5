#!/usr/bin/env python3
"""Writes the built-in panel bitmaps (24-bit BMP) and the two program icons
(ICO) from the pixel definitions below.

    python3 player/resources/make_bitmaps.py [output folder]
    python3 player/resources/make_bitmaps.py --check [folder]

The output folder defaults to player/resources/bitmaps. The written files are
committed, so building the program does not need Python; run this after
editing a definition and commit the result. --check writes nothing and fails
when a file in the folder differs from what the definitions give (a test runs
it, so the committed files cannot drift from their source).

Pixel art is written as rows of characters; each character names a colour of
the current palette ('.' is always the panel's black).
"""

import os
import struct
import sys

BLACK = (0, 0, 0)

# Lit buttons: a bright cyan mark in a clear frame; dark ones: the same shapes
# close to the panel's black, so that "nothing to do here" reads at a glance.
BUTTON_LIT = {"f": (110, 124, 148), "i": (18, 30, 42), "#": (130, 235, 255)}
BUTTON_DARK = {"f": (46, 50, 58), "i": (8, 10, 12), "#": (52, 64, 74)}
LOGO = {"f": (150, 110, 50), "i": (40, 28, 10), "#": (255, 190, 70)}

DIGIT = (90, 245, 130)       # numbers
LABEL = (230, 175, 70)       # unit signs and the volume label
MODE_ON = (255, 200, 80)     # a repeat or shuffle mode that is in effect
MODE_OFF = (96, 96, 104)     # the mode indicators when off
FRAME = (64, 70, 82)         # outlines of the volume and seek bars

# --- shapes ----------------------------------------------------------------

# 7 x 7 marks, centred in the 11 x 11 buttons.
BUTTON_MARKS = {
    "PLAY": [".#.....", ".##....", ".###...", ".####..", ".###...", ".##....", ".#....."],
    "PAUSE": [".##.##.", ".##.##.", ".##.##.", ".##.##.", ".##.##.", ".##.##.", ".##.##."],
    "STOP": [".......", ".#####.", ".#####.", ".#####.", ".#####.", ".#####.", "......."],
    "PREV": [".......", "#..#..#", "#.##.##", "#######", "#.##.##", "#..#..#", "......."],
    "NEXT": [".......", "#..#..#", "##.##.#", "#######", "##.##.#", "#..#..#", "......."],
    "REP": ["....#..", ".#####.", "#...#..", "#.....#", "..#...#", ".#####.", "..#...."],
    "SR": [".....#.", "#######", ".....#.", ".......", ".#.....", "#######", ".#....."],
    "LIST": [".......", "#.#####", ".......", "#.#####", ".......", "#.#####", "......."],
    "OPEN": ["...#...", "..###..", ".#####.", "#######", ".......", "#######", "......."],
    "QUOREL": [".#####.", "#.....#", "#.....#", "#..#..#", "#...#.#", ".#####.", ".....##"],
}

# Digits: a 5 x 7 figure after one blank column, so that a glyph drawn one
# column too far left (the wide 4) only ever covers blank pixels.
DIGITS = [
    [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    ["#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."],
    ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    ["..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."],
    ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    [".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."],
]

# A small font for labels: capitals five rows high (rows 2-6 of 7), small
# letters with a four-row body.
LETTERS = {
    "A": [".#.", "#.#", "###", "#.#", "#.#"],
    "D": ["##.", "#.#", "#.#", "#.#", "##."],
    "E": ["###", "#..", "##.", "#..", "###"],
    "F": ["###", "#..", "##.", "#..", "#.."],
    "H": ["#.#", "#.#", "###", "#.#", "#.#"],
    "L": ["#..", "#..", "#..", "#..", "###"],
    "M": ["#...#", "##.##", "#.#.#", "#...#", "#...#"],
    "N": ["#..#", "##.#", "#.##", "#..#", "#..#"],
    "O": [".#.", "#.#", "#.#", "#.#", ".#."],
    "P": ["##.", "#.#", "##.", "#..", "#.."],
    "R": ["##.", "#.#", "##.", "#.#", "#.#"],
    "S": [".##", "#..", ".#.", "..#", "##."],
    "T": ["###", ".#.", ".#.", ".#.", ".#."],
    "U": ["#.#", "#.#", "#.#", "#.#", "###"],
    "V": ["#.#", "#.#", "#.#", "#.#", ".#."],
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "k": ["#..", "#.#", "##.", "#.#", "#.#"],
    "b": ["#..", "##.", "#.#", "#.#", "##."],
    "z": ["...", "###", ".#.", "#..", "###"],
    "p": ["...", "##.", "#.#", "##.", "#.."],
    "s": ["...", ".##", "##.", "..#", "##."],
    " ": ["..", "..", "..", "..", ".."],
}


def blank(width, height):
    return [[BLACK] * width for _ in range(height)]


def stamp(image, rows, x, y, palette):
    for dy, row in enumerate(rows):
        for dx, ch in enumerate(row):
            if ch != ".":
                image[y + dy][x + dx] = palette[ch]


def text_image(width, text, colour, right_align=False, left=1):
    """Label text on black, seven rows high, one blank column between letters."""
    glyphs = [LETTERS[ch] for ch in text]
    text_width = sum(len(g[0]) for g in glyphs) + len(glyphs) - 1
    x = width - 2 - text_width + 1 if right_align else left
    image = blank(width, 7)
    for glyph in glyphs:
        stamp(image, glyph, x, 2, {"#": colour})
        x += len(glyph[0]) + 1
    assert x - 1 <= width, text
    return image


def button(mark, palette):
    image = blank(11, 11)
    face = [".fffffffff."] + ["f" + "i" * 9 + "f"] * 9 + [".fffffffff."]
    stamp(image, face, 0, 0, palette)
    stamp(image, BUTTON_MARKS[mark], 2, 2, palette)
    return image


def digit(value, width):
    image = blank(width, 7)
    stamp(image, DIGITS[value], 1, 0, {"#": DIGIT})
    return image


def left_strip():
    # A raised handle: light left edge, dark right edge, grip ridges below
    # the close and minimise marks.
    face, light, shade = (40, 44, 54), (96, 104, 120), (20, 22, 28)
    image = [[face] * 15 for _ in range(45)]
    for y in range(45):
        image[y][0] = light
        image[y][14] = shade
    for x in range(15):
        image[0][x] = light
        image[44][x] = shade
    for y in range(25, 41, 3):
        for x in range(4, 11):
            image[y][x] = light
            image[y + 1][x] = shade
    return image


def system_mark(rows):
    palette = {"f": (40, 44, 54), "o": (80, 88, 104), "#": (225, 228, 236)}
    image = blank(9, 9)
    stamp(image, rows, 0, 0, palette)
    return image


CLOSE_MARK = [
    "ooooooooo",
    "o#fffff#o",
    "of#fff#fo",
    "off#f#ffo",
    "offf#fffo",
    "off#f#ffo",
    "of#fff#fo",
    "o#fffff#o",
    "ooooooooo",
]
MINIMISE_MARK = [
    "ooooooooo",
    "offfffffo",
    "offfffffo",
    "offfffffo",
    "offfffffo",
    "offfffffo",
    "of#####fo",
    "of#####fo",
    "ooooooooo",
]


def volume_frame():
    image = blank(11, 23)
    for y in range(23):
        image[y][0] = FRAME
        image[y][10] = FRAME
    for x in range(11):
        image[0][x] = FRAME
    return image


def seek_frame():
    # The segments fill columns 2-48 of rows 3-7; the right edge is only
    # hinted at above and below them, since the last segment is the edge.
    image = blank(49, 11)
    for x in range(49):
        image[0][x] = FRAME
        image[10][x] = FRAME
    for y in range(11):
        image[y][0] = FRAME
    for y in (1, 2, 8, 9):
        image[y][48] = FRAME
    return image


def solid(width, height, colour):
    return [[colour] * width for _ in range(height)]


def mark_image(width, height, rows, colour):
    image = blank(width, height)
    stamp(image, rows, 0, 0, {"#": colour})
    return image


def bitmaps():
    images = {
        "INT_BAR": left_strip(),
        "EXIT2_UP": system_mark(CLOSE_MARK),
        "MIN2_UP": system_mark(MINIMISE_MARK),
        "INT_TITLE_BK": blank(180, 14),
        "INT_ARTIST_BK": blank(180, 11),
        "SL_VOL_OFF": volume_frame(),
        "SL_POS_OFF": seek_frame(),
        "BT_QUOREL_ON": button("QUOREL", LOGO),
        "NUM_DOT": mark_image(3, 7, ["...", "...", "...", "...", "...", "...", ".#."], DIGIT),
        "NUM_DD": mark_image(3, 7, ["...", "...", ".#.", "...", "...", ".#.", "..."], DIGIT),
        "NUM_SPA": blank(7, 7),
        "SIN_SLA": mark_image(
            7, 7, [".....#.", ".....#.", "....#..", "...#...", "..#....", ".#.....", ".#....."],
            LABEL),
        "SIN_KHZ": text_image(15, "kHz", LABEL, left=2),
        "SIN_BIT": text_image(24, "kbps", LABEL, left=2),
        "VOL": text_image(27, "VOL", LABEL, right_align=True),
        "SR_OFF": text_image(36, "NORMAL", MODE_OFF),
        "SHUFFLE": text_image(36, "SHUFFLE", MODE_ON),
        "RANDOM": text_image(36, "RANDOM", MODE_ON),
        "REP_OFF": text_image(50, "REPEAT OFF", MODE_OFF),
        "REP_ALL": text_image(50, "REPEAT ALL", MODE_ON),
        "REP_1": text_image(50, "REPEAT 1", MODE_ON),
        "VOL_BAR_ON": solid(5, 1, DIGIT),
        "VOL_BAR_OFF": solid(5, 1, (28, 56, 38)),
        "SEEK_BAR_ON": solid(1, 5, BUTTON_LIT["#"]),
        "SEEK_BAR_OFF": solid(1, 5, (30, 46, 58)),
    }
    for mark in ("PLAY", "PAUSE", "STOP", "PREV", "NEXT", "REP", "SR", "LIST", "OPEN"):
        images["BT_%s_ON" % mark] = button(mark, BUTTON_LIT)
        images["BT_%s_OFF" % mark] = button(mark, BUTTON_DARK)
    for value in range(10):
        images["NUM_%d" % value] = digit(value, 7 if value == 4 else 6)
    return images


# --- icons -----------------------------------------------------------------


def icon(size, playing):
    """A dark rounded tile with the logo's Q; the playing icon adds a green
    play mark in its lower right corner. Pixels are (r, g, b, a)."""
    clear = (0, 0, 0, 0)
    tile, edge = (24, 28, 36, 255), (110, 124, 148, 255)
    image = [[clear] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            corner = min(x, size - 1 - x) + min(y, size - 1 - y)
            if corner == 0:
                continue
            on_edge = x in (0, size - 1) or y in (0, size - 1) or corner == 1
            image[y][x] = edge if on_edge else tile
    scale = max(1, (size - 8) // 7)
    offset = (size - 7 * scale) // 2
    for gy, row in enumerate(BUTTON_MARKS["QUOREL"]):
        for gx, ch in enumerate(row):
            if ch == "#":
                for y in range(scale):
                    for x in range(scale):
                        image[offset + gy * scale + y][offset + gx * scale + x] = LOGO["#"] + (255,)
    if playing:
        # A green play mark with a dark rim, over the lower right corner.
        height = size // 2 - 1
        top, left = size // 2 - 1, size // 2
        for colour, grow in ((tile, 1), ((80, 245, 120, 255), 0)):
            for y in range(-grow, height + grow):
                for x in range(-grow, min(y, height - 1 - y) + 1 + grow):
                    if 0 <= top + y < size and 0 <= left + x < size - 1:
                        image[top + y][left + x] = colour
    return image


# --- file formats ----------------------------------------------------------


def bmp_bytes(image):
    height, width = len(image), len(image[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(image):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + 40)
    return file_header + header + bytes(pixels)


def ico_bytes(images):
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for image in images:
        size = len(image)
        xor = bytearray()
        mask_stride = ((size + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(image):
            bits = bytearray(mask_stride)
            for x, (r, g, b, a) in enumerate(row):
                xor += bytes((b, g, r, a))
                if a == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(xor) + len(mask),
                             0, 0, 0, 0)
        blob = header + bytes(xor) + bytes(mask)
        entries.append(struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob),
                                   offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


def files():
    for name, image in sorted(bitmaps().items()):
        yield name + ".bmp", bmp_bytes(image)
    for name, playing in (("MINI", False), ("MINI_PLAY", True)):
        yield name + ".ico", ico_bytes([icon(32, playing), icon(16, playing)])


def write_or_check(files, default_folder):
    """Writes the (name, bytes) pairs into the folder named on the command
    line (default_folder, beside this script, when none); with --check first,
    writes nothing and fails when a file there differs."""
    args = sys.argv[1:]
    check = bool(args) and args[0] == "--check"
    if check:
        args = args[1:]
    here = os.path.dirname(os.path.abspath(__file__))
    out = args[0] if args else os.path.join(here, default_folder)
    if not check:
        os.makedirs(out, exist_ok=True)
    stale = []
    for name, data in files:
        path = os.path.join(out, name)
        if check:
            try:
                with open(path, "rb") as f:
                    if f.read() != data:
                        stale.append(name)
            except OSError:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        print("out of date: " + " ".join(stale), file=sys.stderr)
        return 1
    return 0


def main():
    return write_or_check(files(), "bitmaps")


if __name__ == "__main__":
    sys.exit(main())
