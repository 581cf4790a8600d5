#!/usr/bin/env python3
"""Writes the sample skin "Kohaku" (amber): its description quorel_skin.ini
(code page 932, CR LF) and its six bitmap sheets, all drawn by the code below.

    python3 player/resources/make_skin.py [output folder]
    python3 player/resources/make_skin.py --check [folder]

The output folder defaults to player/resources/skin; the build copies it into
the program's skin folder. The written files are committed; --check writes
nothing and fails when a file differs from what this script gives.

The panel is a graphite bar with a segment display on the left and a round
volume dial on the right; everything outside the bar and the dial is the mask
colour (magenta) and is cut out of the window. Every sheet image is cut from
a picture of the whole panel in the matching state, so the pieces fit their
background pixel for pixel.
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_bitmaps import LETTERS, bmp_bytes, write_or_check  # noqa: E402

WIDTH, HEIGHT = 352, 68
MASK = (255, 0, 255)

BODY_TOP, BODY_BOTTOM = (78, 84, 96), (36, 40, 48)
RIM_LIGHT, RIM_SHADE = (132, 140, 156), (18, 20, 26)
ENGRAVED = (24, 27, 33)
LCD, LCD_EDGE_DARK, LCD_EDGE_LIGHT = (12, 18, 22), (6, 8, 10), (96, 104, 116)
GHOST = (30, 40, 42)          # unlit segments
AMBER = (255, 176, 72)        # lit segments and marks
AMBER_SOFT = (150, 110, 60)   # indicators that are off
BEZEL_LIGHT, BEZEL_SHADE = (168, 174, 186), (64, 68, 80)
DIAL_FACE = (32, 35, 42)
LED_OFF = (58, 46, 38)
BUTTON_DARK = {"ring": (70, 76, 90), "face": (40, 44, 54), "mark": (100, 108, 122)}
BUTTON_LIT = {"ring": (214, 150, 80), "face": (52, 44, 40), "mark": (255, 196, 104)}
LOGO = {"ring": (214, 150, 80), "face": (70, 48, 30), "mark": (255, 222, 160)}

# Window places of the panel's parts.
BODY = (0, 5, 318, 63)        # left, top, right, bottom (exclusive); the dial covers its end
CHAMFER = 8
DIAL_CENTRE, DIAL_RADIUS = (318, 34), 33
LCD_BOX = (32, 8, 206, 61)
SYS_FIELD = (0, 5, 28, 58)    # x, y, w, h
SYS_EXIT = (7, 10, 14, 12)
SYS_MIN = (7, 24, 14, 12)
TITLE = (36, 10, 166, 15)
ARTIST = (36, 26, 166, 12)
SEEK = (36, 51, 166, 7)
VOLUME = (290, 4, 57, 40)
VOLUME_LCD = (305, 46, 26, 11)
NUMBER_ROW = 41
POSITIONS = {
    "char_1time_position": (37, NUMBER_ROW),
    "char_ttime_position": (72, NUMBER_ROW),
    "char_Bit_position": (108, NUMBER_ROW),
    "char_Hz_position": (150, NUMBER_ROW),
    "char_vol_position": (308, 48),
    "char_vol100_position": (308, 48),
}
BUTTON_SIZE = 13
# The button pairs in the description's order, with their places.
BUTTONS = [
    ("play", (225, 9)), ("stop", (255, 9)), ("prev", (210, 9)), ("next", (270, 9)),
    ("repeat", (210, 25)), ("sr", (225, 25)), ("list", (240, 25)), ("open", (255, 25)),
    ("quorel", (270, 25)), ("pause", (240, 9)),
]
SHUFFLE_INDICATOR = (210, 42, 34, 7)
REPEAT_INDICATOR = (247, 42, 36, 7)
LED_COUNT = 11

# --- marks and glyphs ------------------------------------------------------

# 7 x 7 marks inside the round buttons.
MARKS = {
    "play": ["..#....", "..##...", "..###..", "..####.", "..###..", "..##...", "..#...."],
    "pause": [".......", ".##.##.", ".##.##.", ".##.##.", ".##.##.", ".##.##.", "......."],
    "stop": [".......", ".#####.", ".#####.", ".#####.", ".#####.", ".#####.", "......."],
    "prev": [".......", ".#...#.", ".#..##.", ".#.###.", ".#..##.", ".#...#.", "......."],
    "next": [".......", ".#...#.", ".##..#.", ".###.#.", ".##..#.", ".#...#.", "......."],
    "repeat": [".####..", "#....#.", "#...###", "#....#.", "#......", "#.....#", ".#####."],
    "sr": [".....#.", "##..###", "..#..#.", "...#...", "..#..#.", "##..###", ".....#."],
    "list": [".......", "#.####.", ".......", "#.####.", ".......", "#.####.", "......."],
    "open": ["...#...", "..###..", ".#####.", ".......", ".#####.", ".#####.", "......."],
    "quorel": ["..###..", ".#...#.", "#.....#", "#..#..#", ".#..##.", "..####.", "......#"],
}
CLOSE_MARK = ["#.....#", ".#...#.", "..#.#..", "...#...", "..#.#..", ".#...#.", "#.....#"]
MINIMISE_MARK = [".......", ".......", ".......", ".......", ".......", "#######", "#######"]
SPEAKER = ["....#..", "...##.#", "####.#.", "####.#.", "####.#.", "...##.#", "....#.."]
EXTRA_LETTERS = {
    "Q": [".#.", "#.#", "#.#", "#.#", ".##"],
    "X": ["#.#", "#.#", ".#.", "#.#", "#.#"],
    "-": ["...", "...", "###", "...", "..."],
}

# Seven segments of a 5 x 7 digit: top, upper right, lower right, bottom,
# lower left, upper left, middle.
SEGMENT_PIXELS = [
    [(1, 0), (2, 0), (3, 0)],
    [(4, 1), (4, 2)],
    [(4, 4), (4, 5)],
    [(1, 6), (2, 6), (3, 6)],
    [(0, 4), (0, 5)],
    [(0, 1), (0, 2)],
    [(1, 3), (2, 3), (3, 3)],
]
DIGIT_SEGMENTS = ["abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg",
                  "abcdfg"]


# --- drawing ---------------------------------------------------------------

def canvas(width, height, colour):
    return [[colour] * width for _ in range(height)]


def crop(image, x, y, w, h):
    return [row[x:x + w] for row in image[y:y + h]]


def paste(target, image, x, y):
    for dy, row in enumerate(image):
        target[y + dy][x:x + len(row)] = row


def stamp(image, rows, x, y, colour):
    for dy, row in enumerate(rows):
        for dx, ch in enumerate(row):
            if ch == "#":
                image[y + dy][x + dx] = colour


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def in_body(x, y):
    left, top, right, bottom = BODY
    if not (left <= x < right and top <= y < bottom):
        return False
    # Cut corners on the left end.
    return min(y - top, bottom - 1 - y) + (x - left) >= CHAMFER


def dial_distance(x, y):
    return math.hypot(x - DIAL_CENTRE[0], y - DIAL_CENTRE[1])


def in_dial(x, y):
    return dial_distance(x, y) <= DIAL_RADIUS


def inset(image, box, fill):
    """A sunken box: dark upper and left edge, light lower and right edge."""
    left, top, right, bottom = box
    for y in range(top, bottom):
        for x in range(left, right):
            image[y][x] = fill
    for x in range(left, right):
        image[top][x] = LCD_EDGE_DARK
        image[bottom - 1][x] = LCD_EDGE_LIGHT
    for y in range(top, bottom):
        image[y][left] = LCD_EDGE_DARK
        image[y][right - 1] = LCD_EDGE_LIGHT


def text_rows(text):
    letters = dict(LETTERS, **EXTRA_LETTERS)
    glyphs = [letters[ch] for ch in text]
    width = sum(len(g[0]) for g in glyphs) + len(glyphs) - 1
    rows = ["" for _ in range(5)]
    for i, glyph in enumerate(glyphs):
        for r in range(5):
            rows[r] += glyph[r] + ("." if i < len(glyphs) - 1 else "")
    return rows, width


def draw_body(image):
    left, top, right, bottom = BODY
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if in_body(x, y):
                image[y][x] = mix(BODY_TOP, BODY_BOTTOM, (y - top) / (bottom - top - 1))
    # Rim: light along the top and the left, shaded along the bottom.
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if not in_body(x, y):
                continue
            if not in_body(x, y - 1) or not in_body(x - 1, y):
                image[y][x] = RIM_LIGHT
            elif not in_body(x, y + 1):
                image[y][x] = RIM_SHADE


def draw_dial(image):
    cx, cy = DIAL_CENTRE
    for y in range(HEIGHT):
        for x in range(WIDTH):
            d = dial_distance(x, y)
            if d > DIAL_RADIUS:
                continue
            if d > DIAL_RADIUS - 3:
                # The bezel, lit from the upper left.
                t = (1 - ((x - cx) * -0.6 + (y - cy) * -0.8) / d) / 2
                image[y][x] = mix(BEZEL_LIGHT, BEZEL_SHADE, t)
            else:
                image[y][x] = mix(DIAL_FACE, (22, 24, 30), max(0.0, (y - cy) / DIAL_RADIUS))
    vx, vy, vw, vh = VOLUME_LCD
    inset(image, (vx, vy, vx + vw, vy + vh), LCD)


def led_centres():
    """Eleven lamps on an arc over the dial's centre, from lower left to lower right."""
    cx, cy = DIAL_CENTRE
    centres = []
    for i in range(LED_COUNT):
        angle = math.radians(195 - i * 210 / (LED_COUNT - 1))
        centres.append((cx + 24 * math.cos(angle), cy - 24 * math.sin(angle)))
    return centres


def draw_leds(image, lit):
    for i, (lx, ly) in enumerate(led_centres()):
        on = mix((255, 214, 110), (255, 96, 56), i / (LED_COUNT - 1))
        for y in range(int(ly) - 3, int(ly) + 4):
            for x in range(int(lx) - 3, int(lx) + 4):
                d = math.hypot(x - lx, y - ly)
                if d <= 2.6:
                    image[y][x] = on if i < lit else LED_OFF
                elif i < lit and d <= 3.4:
                    image[y][x] = mix(image[y][x], on, 0.35)


def draw_sys(image):
    for (x, y, w, h), mark in ((SYS_EXIT, CLOSE_MARK), (SYS_MIN, MINIMISE_MARK)):
        inset(image, (x, y, x + w, y + h), (28, 31, 38))
        stamp(image, mark, x + (w - 7) // 2, y + (h - 7) // 2, (206, 212, 224))
    # Grip ridges below the marks.
    for y in range(41, 57, 3):
        for x in range(8, 20):
            image[y][x] = RIM_LIGHT
            image[y + 1][x] = RIM_SHADE


def draw_static_labels(image):
    rows, _ = text_rows("QUOREL")
    stamp(image, rows, 235, 53, ENGRAVED)
    stamp(image, text_rows("kbps")[0], 127, NUMBER_ROW + 2, AMBER_SOFT)
    stamp(image, text_rows("kHz")[0], 172, NUMBER_ROW + 2, AMBER_SOFT)
    # A slash between the two times.
    for i in range(5):
        image[NUMBER_ROW + 6 - i - 1][67 + i // 2] = AMBER_SOFT


def draw_seek(image, step):
    """The track with its first `step` of 24 parts filled and a knob at the end."""
    x0, y0, w, h = SEEK
    mid = y0 + h // 2
    end = x0 + 2 + round((w - 5) * step / 24)
    for x in range(x0, x0 + w):
        for y in range(y0, y0 + h):
            image[y][x] = LCD
    for x in range(x0 + 1, x0 + w - 1):
        image[mid][x] = GHOST
    for x in range(x0 + 1, end):
        image[mid][x] = AMBER
        image[mid - 1][x] = mix(LCD, AMBER, 0.35)
        image[mid + 1][x] = mix(LCD, AMBER, 0.35)
    for dy in range(-2, 3):
        for dx in range(-(2 - abs(dy)), 3 - abs(dy)):
            image[mid + dy][end + dx] = (255, 226, 170)


def button_image(name, lit):
    palette = LOGO if name == "quorel" else (BUTTON_LIT if lit else BUTTON_DARK)
    size = BUTTON_SIZE
    centre = (size - 1) / 2
    pixels = {}
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - centre, y - centre)
            if d <= 6.4:
                pixels[(x, y)] = palette["ring"] if d > 5.2 else palette["face"]
    for dy, row in enumerate(MARKS[name]):
        for dx, ch in enumerate(row):
            if ch == "#":
                pixels[(3 + dx, 3 + dy)] = palette["mark"]
    return pixels


def draw_button(image, name, lit):
    x0, y0 = dict(BUTTONS)[name]
    for (x, y), colour in button_image(name, lit).items():
        image[y0 + y][x0 + x] = colour


def base_panel():
    image = canvas(WIDTH, HEIGHT, MASK)
    draw_body(image)
    draw_dial(image)
    draw_leds(image, 0)
    inset(image, LCD_BOX, LCD)
    draw_sys(image)
    draw_static_labels(image)
    draw_seek(image, 0)
    return image


def segment_digit(value, width=5):
    image = canvas(width, 7, LCD)
    lit = DIGIT_SEGMENTS[value] if value is not None else ""
    for index, pixels in enumerate(SEGMENT_PIXELS):
        colour = AMBER if "abcdefg"[index] in lit else GHOST
        for x, y in pixels:
            image[y][x] = colour
    return image


def label_image(width, text, colour):
    rows, text_width = text_rows(text)
    image = canvas(width, 7, LCD)
    stamp(image, rows, (width - text_width) // 2, 1, colour)
    return image


def glyphs():
    """char_0 ... char_14: digits, point, colon, blank, volume label, volume 100."""
    images = [segment_digit(v) for v in range(10)]
    point = canvas(1, 7, LCD)
    point[6][0] = AMBER
    colon = canvas(1, 7, LCD)
    colon[2][0] = colon[4][0] = AMBER
    speaker = canvas(7, 7, LCD)
    stamp(speaker, SPEAKER, 0, 0, AMBER_SOFT)
    return images + [point, colon, segment_digit(None), speaker, label_image(20, "MAX", AMBER)]


def indicators():
    shuffle = [label_image(SHUFFLE_INDICATOR[2], "NORM", AMBER_SOFT),
               label_image(SHUFFLE_INDICATOR[2], "SHUF", AMBER),
               label_image(SHUFFLE_INDICATOR[2], "RAND", AMBER)]
    repeat = [label_image(REPEAT_INDICATOR[2], "REP-", AMBER_SOFT),
              label_image(REPEAT_INDICATOR[2], "REP ALL", AMBER),
              label_image(REPEAT_INDICATOR[2], "REP 1", AMBER)]
    return shuffle, repeat


# --- sheets and description ------------------------------------------------

def element(wx, wy, x, y, w, h):
    return {"wx": wx, "wy": wy, "x": x, "y": y, "w": w, "h": h}


def colour_value(rgb):
    """A Windows colour value, 0x00BBGGRR, as the description's decimal."""
    r, g, b = rgb
    return b * 65536 + g * 256 + r


def state_sheet(base, box, count, draw, prefix, sections):
    """The box of the panel in each of `count` states, one below the other,
    with a section "<prefix>_<state>" for each."""
    x, y, w, h = box
    sheet = canvas(w, count * h, MASK)
    for state in range(count):
        picture = [row[:] for row in base]
        draw(picture, state)
        paste(sheet, crop(picture, x, y, w, h), 0, state * h)
        sections.append(("%s_%d" % (prefix, state), element(x, y, 0, state * h, w, h)))
    return sheet


def skin():
    sections = []  # (name, {key: value}) in the description's order
    sheets = {}
    base = base_panel()

    sections.append(("skin_info", {"off": 0, "upon": 0}))
    gothic = "ＭＳ ゴシック"
    sections.append(("font_0", {"type": gothic, "color": colour_value((255, 200, 120)),
                                "height": 12, "weight": 400}))
    sections.append(("font_1", {"type": gothic, "color": colour_value((156, 196, 214)),
                                "height": 11, "weight": 400}))
    sections.append(("main_bkg", element(0, 0, 0, 0, WIDTH, HEIGHT)))
    sections.append(("main_title", element(*TITLE[:2], *TITLE)))
    sections.append(("main_artist", element(*ARTIST[:2], *ARTIST)))
    sections.append(("main_rgn", {"rgn": 1, "mask": MASK[0] * 65536 + MASK[1] * 256 + MASK[2]}))
    sheets["quorel_main.bmp"] = base

    # Buttons: the dark images in the first row, the lit ones in the second.
    buttons = canvas(BUTTON_SIZE * len(BUTTONS), 2 * BUTTON_SIZE, MASK)
    for lit in (False, True):
        for i, (name, (wx, wy)) in enumerate(BUTTONS):
            picture = [row[:] for row in base]
            draw_button(picture, name, lit)
            sy = BUTTON_SIZE if lit else 0
            paste(buttons, crop(picture, wx, wy, BUTTON_SIZE, BUTTON_SIZE), i * BUTTON_SIZE, sy)
            if name == "quorel" and not lit:
                continue  # one section serves both images
            suffix = "on" if lit or name == "quorel" else "off"
            sections.append(("button_%s_%s" % (name, suffix),
                             element(wx, wy, i * BUTTON_SIZE, BUTTON_SIZE if lit else 0,
                                     BUTTON_SIZE, BUTTON_SIZE)))
    sheets["quorel_button.bmp"] = buttons

    x, y, w, h = SYS_FIELD
    sheets["quorel_sys.bmp"] = crop(base, x, y, w, h)
    sections.append(("sys_exit", element(*SYS_EXIT[:2], 0, 0, *SYS_EXIT[2:])))
    sections.append(("sys_min", element(*SYS_MIN[:2], 0, 0, *SYS_MIN[2:])))
    sections.append(("sys_field", element(x, y, 0, 0, w, h)))

    sheets["quorel_seek.bmp"] = state_sheet(base, SEEK, 25, draw_seek, "seek", sections)
    sheets["quorel_vol.bmp"] = state_sheet(base, VOLUME, 12, draw_leds, "vol", sections)

    # The char sheet: the glyphs in the first row, the indicators below.
    glyph_images = glyphs()
    shuffle, repeat = indicators()
    width = max(sum(len(g[0]) + 1 for g in glyph_images),
                SHUFFLE_INDICATOR[2] + REPEAT_INDICATOR[2] + 1)
    chars = canvas(width, 7 * 4, MASK)
    names = [("char_sr_bk", 0), ("char_shuffle", 1), ("char_random", 2)]
    for name, i in names:
        paste(chars, shuffle[i], 0, 7 * (i + 1))
        sections.append((name, element(*SHUFFLE_INDICATOR[:2], 0, 7 * (i + 1),
                                       *SHUFFLE_INDICATOR[2:])))
    names = [("char_repeat_bk", 0), ("char_repeat_all", 1), ("char_repeat_1", 2)]
    for name, i in names:
        sx = SHUFFLE_INDICATOR[2] + 1
        paste(chars, repeat[i], sx, 7 * (i + 1))
        sections.append((name, element(*REPEAT_INDICATOR[:2], sx, 7 * (i + 1),
                                       *REPEAT_INDICATOR[2:])))
    sx = 0
    for i, image in enumerate(glyph_images):
        paste(chars, image, sx, 0)
        sections.append(("char_%d" % i, element(0, 0, sx, 0, len(image[0]), 7)))
        sx += len(image[0]) + 1
    sheets["quorel_char.bmp"] = chars
    for name in ("char_Hz_position", "char_Bit_position", "char_1time_position",
                 "char_ttime_position", "char_vol_position", "char_vol100_position"):
        wx, wy = POSITIONS[name]
        sections.append((name, {"wx": wx, "wy": wy}))
    return sections, sheets


def ini_bytes(sections):
    lines = ["; Quorel の見本スキン「琥珀」。make_skin.py が描いたものです。", ""]
    for name, keys in sections:
        lines.append("[%s]" % name)
        lines += ["%s=%s" % (key, value) for key, value in keys.items()]
        lines.append("")
    return "\r\n".join(lines).encode("cp932")


def files():
    sections, sheets = skin()
    yield "quorel_skin.ini", ini_bytes(sections)
    for name, image in sorted(sheets.items()):
        yield name, bmp_bytes(image)


def main():
    return write_or_check(files(), "skin")


if __name__ == "__main__":
    sys.exit(main())
