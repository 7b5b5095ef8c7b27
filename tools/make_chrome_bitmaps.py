#!/usr/bin/env python3
"""Draws the main window's chrome bitmaps into resources/chrome/.

Run from the repository root:  python3 tools/make_chrome_bitmaps.py

Every picture is pixel art on a grid, written as an uncompressed bottom-up
24-bit BMP. The buttons and the grip repeat the strip's grey bands in their
top rows, shifted to where they stand, so that they melt into the strips.
"""
import os
import struct

OUT_DIR = os.path.join("resources", "chrome")

# The strip's grey levels from its top row down; every row below is black.
BANDS = [67, 145, 108, 82, 54, 30, 16]

BLACK = (0, 0, 0)


def band(row):
    level = BANDS[row] if 0 <= row < len(BANDS) else 0
    return (level, level, level)


def banded(width, height, first_row):
    """A picture whose row y shows the strip's row first_row + y."""
    return [[band(first_row + y)] * width for y in range(height)]


def mix(a, b, t):
    """a moved a fraction t towards b, per channel."""
    return tuple(round(p + (q - p) * t) for p, q in zip(a, b))


def paint(picture, x0, y0, rows, inks):
    """Draws a character grid at (x0, y0); '.' leaves the picture alone."""
    for dy, line in enumerate(rows):
        for dx, ch in enumerate(line):
            if ch != ".":
                picture[y0 + dy][x0 + dx] = inks[ch]


def write_bmp(name, picture):
    height, width = len(picture), len(picture[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(picture):  # BMP rows run bottom-up
        for r, g, b in row:
            pixels += bytes((b, g, r))
        pixels += bytes(stride - width * 3)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(os.path.join(OUT_DIR, name), "wb") as f:
        f.write(header + info + pixels)


# ---------------------------------------------------------------- the logo

# A clock face on the strip: pale ring, dark dial, a white hour hand at
# twelve and the red hand of the timer at three.
LOGO = [
    "..............",
    "....#####.....",
    "...##ddd##....",
    "..#dddWddd#...",
    ".##dddWddd##..",
    ".#ddddWdddd#..",
    ".#ddddWRRRd#..",
    ".#ddddddddd#..",
    ".##ddddddd##..",
    "..#ddddddd#...",
    "...##ddd##....",
    "....#####.....",
    "..............",
    "..............",
]


def logo():
    picture = banded(14, 14, 0)
    paint(picture, 0, 0, LOGO, {"#": (215, 215, 215), "d": (28, 30, 34),
                                "W": (255, 255, 255), "R": (235, 40, 30)})
    return picture


# ------------------------------------------------------------- the buttons

SQUARE = [
    "########",
    "########",
    "#......#",
    "#......#",
    "#......#",
    "#......#",
    "#......#",
    "########",
]

CROSS = [
    "#......#",
    "##....##",
    ".##..##.",
    "..####..",
    "..####..",
    ".##..##.",
    "##....##",
    "#......#",
]

# A ring with a short bar at its top (a stopwatch with its crown).
RING = [
    "...##...",
    "..####..",
    ".#....#.",
    "#......#",
    "#......#",
    "#......#",
    "#......#",
    ".#....#.",
    "..####..",
]

NORMAL_INK = (192, 192, 192)


def button(symbol, state, hue):
    """A 12 x 12 button standing one pixel below the strip's top."""
    picture = banded(12, 12, 1)
    if state == "normal":
        ink = NORMAL_INK
    else:
        bright = state == "hover"
        frame = hue if bright else mix(hue, BLACK, 0.45)
        tint = mix(hue, BLACK, 0.55 if bright else 0.75)
        ink = mix(hue, (255, 255, 255), 0.75 if bright else 0.35)
        for y in range(12):
            for x in range(12):
                if x in (0, 11) or y in (0, 11):
                    picture[y][x] = frame
                else:
                    picture[y][x] = mix(picture[y][x], tint, 0.6)
    # Symbols are eight pixels wide and end on row 9; the ring's bar reaches
    # one row higher than the others.
    paint(picture, 2, 10 - len(symbol), symbol, {"#": ink})
    return picture


# ---------------------------------------------------------------- the grip

def grip():
    """Three ridges across the corner, each a pale line with a duller one
    below it, so they read as grooves rather than as dither."""
    picture = banded(14, 14, 0)
    for y in range(14):
        for x in range(14):
            for ridge in (16, 20, 24):
                if x + y == ridge:
                    picture[y][x] = (180, 180, 180)
                elif x + y == ridge + 1:
                    picture[y][x] = (120, 120, 120)
    return picture


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    write_bmp("strip.bmp", banded(10, 14, 0))
    write_bmp("logo.bmp", logo())
    hues = {"maximize": (SQUARE, (40, 140, 255)),
            "close": (CROSS, (240, 50, 40)),
            "settings": (RING, (50, 210, 70))}
    for name, (symbol, hue) in hues.items():
        for state in ("normal", "hover", "pressed"):
            write_bmp(f"{name}_{state}.bmp", button(symbol, state, hue))
    write_bmp("grip.bmp", grip())


if __name__ == "__main__":
    main()
