#!/usr/bin/env python3
"""Draws the program icon, resources/horavel.ico: a round clock face (dark
dial, white rim and hands, a red segment for the time that has run) at 16x16,
32x32 and 48x48, as 32-bit images with alpha. Standard library only, so anyone
can regenerate the icon:  python3 tools/make_icon.py [output.ico]
"""
import math
import os
import struct
import sys

SIZES = (16, 32, 48)
SUPERSAMPLE = 8  # samples per pixel edge, for smooth edges

DIAL = (30, 34, 44)
RIM = (255, 255, 255)
SEGMENT = (220, 40, 40)
HANDS = (255, 255, 255)

# The red segment runs clockwise from twelve to four o'clock; the minute hand
# points at twelve and the hour hand at four, along its two edges.
SEGMENT_START = 0.0
SEGMENT_END = 120.0


def clock_angle(degrees):
    """Unit vector for an angle measured clockwise from twelve o'clock (y grows downwards)."""
    radians = math.radians(degrees)
    return math.sin(radians), -math.cos(radians)


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def sample(x, y, size):
    """Colour and opacity at a point of the icon, in pixel units of one image."""
    # Thicker strokes at the small size keep the rim and hands readable.
    scale = size / 2.0
    cx = cy = scale
    r = math.hypot(x - cx, y - cy) / scale  # 0 at the centre, 1 at the edge
    rim_width = 0.16 if size <= 16 else 0.12
    hand_width = 0.15 if size <= 16 else 0.10
    if r > 0.97:
        return None
    if r > 0.97 - rim_width:
        return RIM
    ux, uy = (x - cx) / scale, (y - cy) / scale
    minute_x, minute_y = clock_angle(SEGMENT_START)
    hour_x, hour_y = clock_angle(SEGMENT_END)
    if (segment_distance(ux, uy, 0, 0, minute_x * 0.68, minute_y * 0.68) < hand_width / 2
            or segment_distance(ux, uy, 0, 0, hour_x * 0.48, hour_y * 0.48) < hand_width / 2
            or r < hand_width * 0.8):
        return HANDS
    angle = math.degrees(math.atan2(ux, -uy)) % 360.0
    if SEGMENT_START <= angle <= SEGMENT_END and r < 0.97 - rim_width - 0.06:
        return SEGMENT
    return DIAL


def render(size):
    """Returns rows of (r, g, b, a) tuples, top row first."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            red = green = blue = covered = 0
            for sy in range(n):
                for sx in range(n):
                    colour = sample(px + (sx + 0.5) / n, py + (sy + 0.5) / n, size)
                    if colour is not None:
                        red += colour[0]
                        green += colour[1]
                        blue += colour[2]
                        covered += 1
            if covered:
                row.append((red // covered, green // covered, blue // covered,
                            covered * 255 // (n * n)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def icon_image(size):
    """One icon image: BITMAPINFOHEADER, bottom-up BGRA pixels, then the AND mask."""
    rows = render(size)
    pixels = bytearray()
    for row in reversed(rows):
        for red, green, blue, alpha in row:
            pixels += bytes((blue, green, red, alpha))
    mask_stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, alpha) in enumerate(row):
            if alpha == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


def make_icon():
    images = [icon_image(size) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "horavel.ico")
    with open(path, "wb") as f:
        f.write(make_icon())


if __name__ == "__main__":
    main()
