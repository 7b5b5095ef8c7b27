#!/usr/bin/env python3
"""Draws the popup menu's icons into resources/menu/.

Run from the repository root:  python3 tools/make_menu_icons.py

Each icon is 16 x 16 pixels, drawn as layers of simple shapes sampled 8 x 8
times per pixel (smooth edges), and written as a 32-bit BMP with alpha
(BITMAPV5HEADER, bit fields, straight alpha). Every shape carries a dark
outline around a bright fill, so it stands out on light and dark menus.
"""
import math
import os
import struct

OUT_DIR = os.path.join("resources", "menu")
SIZE = 16
SAMPLES = 8

# Inks: bright fills and the dark outline that goes around them.
OUTLINE = (28, 36, 52)
FACE = (250, 250, 245)
BLUE = (52, 120, 220)
GREEN = (40, 170, 70)
RED = (215, 50, 45)
ORANGE = (240, 150, 30)
SAND = (235, 190, 90)
BROWN = (150, 95, 50)
TEAL = (30, 150, 160)
GREY = (150, 160, 175)
WHITE = (255, 255, 255)


# ---------------------------------------------------------------- shapes
# A shape is a function (x, y) -> bool over the icon's 16 x 16 square.

def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r, width):
    return lambda x, y: (r - width) ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def segment(x0, y0, x1, y1, width):
    """A stroke with round ends."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= (width / 2) ** 2

    return inside


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result

    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


def grown(shape, by):
    """The shape with a band of width `by` around it (for outlines)."""
    offsets = [(by * math.cos(a), by * math.sin(a)) for a in (i * math.pi / 8 for i in range(16))]
    return lambda x, y: shape(x, y) or any(shape(x + dx, y + dy) for dx, dy in offsets)


# ---------------------------------------------------------------- painting

def render(layers):
    """layers: (shape, colour) painted in order; returns rows of RGBA."""
    rows = []
    step = 1.0 / SAMPLES
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            r = g = b = a = 0.0  # premultiplied
            for shape, colour in layers:
                hits = sum(
                    1
                    for sy in range(SAMPLES)
                    for sx in range(SAMPLES)
                    if shape(px + (sx + 0.5) * step, py + (sy + 0.5) * step)
                )
                cover = hits / (SAMPLES * SAMPLES)
                if cover == 0:
                    continue
                r = colour[0] * cover + r * (1 - cover)
                g = colour[1] * cover + g * (1 - cover)
                b = colour[2] * cover + b * (1 - cover)
                a = cover + a * (1 - cover)
            if a == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(r / a), round(g / a), round(b / a), round(a * 255)))
        rows.append(row)
    return rows


def outlined(shape, colour, width=1.0):
    """An outline band, then the fill on top."""
    return [(grown(shape, width), OUTLINE), (shape, colour)]


def write_bmp(name, rows):
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    header_size = 124  # BITMAPV5HEADER
    offset = 14 + header_size
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack(
        "<IiiHHIIiiII", header_size, SIZE, SIZE, 1, 32, 3, len(pixels), 2835, 2835, 0, 0
    )
    masks = struct.pack("<IIII", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    colour_space = b"BGRs" + bytes(36) + bytes(12)  # sRGB; no endpoints or gamma
    tail = struct.pack("<IIII", 4, 0, 0, 0)  # LCS_GM_IMAGES, no profile
    header = info + masks + colour_space + tail
    assert len(header) == header_size
    with open(os.path.join(OUT_DIR, name), "wb") as f:
        f.write(file_header + header + pixels)


# ---------------------------------------------------------------- the icons

def clock_face(cx=7.0, cy=7.5, r=6.5):
    """A white dial with a dark rim, its hands at twelve and three."""
    return [
        (disc(cx, cy, r), OUTLINE),
        (disc(cx, cy, r - 1.3), FACE),
        (segment(cx, cy, cx, cy - 4.0, 1.4), OUTLINE),
        (segment(cx, cy, cx + 3.0, cy + 0.5, 1.4), OUTLINE),
    ]


def meeting_start():
    arrow = polygon([(9.5, 8.0), (15.8, 12.0), (9.5, 16.0)])
    return clock_face() + outlined(arrow, GREEN, 0.9)


def meeting_end():
    mark = box(10.0, 9.5, 15.0, 14.5)
    return clock_face() + outlined(mark, RED, 0.9)


def participants():
    back = union(disc(10.8, 4.5, 2.6), polygon([(6.3, 14.5), (7.0, 9.6), (10.8, 8.0), (14.6, 9.6), (15.3, 14.5)]))
    front = union(disc(5.5, 6.0, 2.8), polygon([(0.7, 15.5), (1.4, 11.0), (5.5, 9.4), (9.6, 11.0), (10.3, 15.5)]))
    return outlined(back, TEAL, 0.9) + outlined(front, BLUE, 0.9)


def hourglass():
    glass = polygon([(3.5, 2.5), (12.5, 2.5), (8.6, 8.0), (12.5, 13.5), (3.5, 13.5), (7.4, 8.0)])
    sand_top = polygon([(5.6, 5.0), (10.4, 5.0), (8.0, 7.8)])
    sand_bottom = polygon([(8.0, 9.5), (11.0, 12.8), (5.0, 12.8)])
    frame = union(box(2.0, 0.8, 14.0, 2.6), box(2.0, 13.4, 14.0, 15.2))
    return (
        outlined(glass, (215, 235, 250), 0.9)
        + [(sand_top, SAND), (sand_bottom, SAND)]
        + outlined(frame, BROWN, 0.8)
    )


def stopwatch():
    body = disc(8.0, 9.3, 6.0)
    crown = union(box(6.6, 0.6, 9.4, 2.2), box(7.4, 2.0, 8.6, 3.6))
    return (
        outlined(crown, ORANGE, 0.8)
        + [(grown(body, 0.9), OUTLINE), (body, ORANGE), (disc(8.0, 9.3, 4.4), FACE)]
        + [(segment(8.0, 9.3, 10.4, 6.4, 1.4), RED), (disc(8.0, 9.3, 1.0), OUTLINE)]
    )


def coffee_cup():
    cup = polygon([(1.5, 7.0), (12.0, 7.0), (11.0, 14.5), (2.5, 14.5)])
    handle = ring(12.0, 10.2, 2.9, 1.5)
    steam = union(segment(4.5, 1.2, 5.3, 5.4, 1.2), segment(8.3, 1.2, 9.1, 5.4, 1.2))
    return [(grown(handle, 0.8), OUTLINE), (handle, BROWN)] + outlined(cup, BROWN, 0.9) + [
        (box(2.6, 7.6, 10.9, 8.8), (110, 60, 30)),
        (steam, GREY),
    ]


def gear():
    teeth = [
        polygon(
            [
                (8 + 7.6 * math.cos(a + d * 0.22), 8 + 7.6 * math.sin(a + d * 0.22))
                for d in (-1, 1)
            ]
            + [(8 + 4.5 * math.cos(a + d * 0.5), 8 + 4.5 * math.sin(a + d * 0.5)) for d in (1, -1)]
        )
        for a in (i * math.pi / 4 for i in range(8))
    ]
    wheel = minus(union(disc(8.0, 8.0, 5.6), *teeth), disc(8.0, 8.0, 2.2))
    return outlined(wheel, GREY, 0.9)


def play():
    return outlined(polygon([(3.5, 1.8), (14.0, 8.0), (3.5, 14.2)]), GREEN, 1.0)


def pause():
    return outlined(union(box(3.0, 2.0, 6.6, 14.0), box(9.4, 2.0, 13.0, 14.0)), BLUE, 1.0)


def question_mark():
    hook = union(
        *(segment(8 + 3.0 * math.cos(a0), 6 + 3.0 * math.sin(a0), 8 + 3.0 * math.cos(a1), 6 + 3.0 * math.sin(a1), 2.0)
          for a0, a1 in ((math.pi * (0.9 + i * 0.1), math.pi * (1.0 + i * 0.1)) for i in range(11))),
        segment(10.5, 7.7, 8.0, 9.6, 2.0),
        segment(8.0, 9.6, 8.0, 10.6, 2.0),
    )
    return [(disc(8.0, 8.0, 7.8), OUTLINE), (disc(8.0, 8.0, 6.8), BLUE), (hook, WHITE), (disc(8.0, 13.0, 1.2), WHITE)]


def exit_door():
    frame = box(1.0, 1.0, 9.5, 15.0)
    door = polygon([(1.8, 1.8), (7.6, 3.2), (7.6, 15.4), (1.8, 14.2)])
    arrow = union(box(8.0, 7.0, 12.0, 9.0), polygon([(11.5, 4.4), (15.6, 8.0), (11.5, 11.6)]))
    return (
        outlined(frame, (70, 70, 80), 0.8)
        + [(box(1.8, 1.8, 8.7, 14.2), (25, 25, 30)), (door, BROWN), (disc(6.2, 9.0, 0.7), SAND)]
        + outlined(arrow, RED, 0.8)
    )


# Image numbers 8 to 18, in this order.
ICONS = [
    ("meeting_start.bmp", meeting_start),
    ("meeting_end.bmp", meeting_end),
    ("participants.bmp", participants),
    ("count_down.bmp", hourglass),
    ("count_up.bmp", stopwatch),
    ("break.bmp", coffee_cup),
    ("settings.bmp", gear),
    ("resume.bmp", play),
    ("pause.bmp", pause),
    ("help.bmp", question_mark),
    ("quit.bmp", exit_door),
]


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for name, draw in ICONS:
        write_bmp(name, render(draw()))


if __name__ == "__main__":
    main()
