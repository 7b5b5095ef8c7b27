#!/usr/bin/env python3
"""Draws the pictures of the settings window's About tab into resources/about/.

Run from the repository root:  python3 tools/make_about_pictures.py

Shapes are drawn here with 4 x 4 samples per pixel for smooth edges; words are
set by ImageMagick's convert in Liberation Sans (the metric twin of Arial that
the readouts use), both installed by scripts/setup. Each picture is reduced to
at most 256 colours (median cut) and written as an uncompressed 8-bit BMP.

The pictures that stand on a shaded background repeat the colours of the
background at the spot where the About page draws them, so their edges do not
show: the logo and the badge stand on the grey column, the full-screen picture
on page 0's silver box.
"""
import math
import os
import struct
import subprocess

OUT_DIR = os.path.join("resources", "about")
FONT_DIR = "/usr/share/fonts/truetype/liberation"
SAMPLES = 4

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
GOLD = (255, 221, 0)

# Shaded-box schemes of the readouts (edge, middle, edge), as the program draws them.
SCHEMES = {
    ("h", 0): [((6, 94, 0), (70, 200, 0)), ((70, 200, 0), (63, 180, 0)), ((60, 170, 0), (6, 94, 0))],
    ("h", 1): [((0, 6, 90), (45, 90, 230)), ((45, 90, 230), (40, 80, 207)), ((35, 75, 197), (0, 6, 90))],
    ("h", 7): [((10, 10, 10), (178, 178, 178)), ((178, 178, 178), (102, 102, 102)),
               ((102, 102, 102), (10, 10, 10))],
    ("h", 10): [((97, 97, 97), (15, 15, 15)), ((20, 20, 20), (0, 0, 0)), ((0, 0, 0), (97, 97, 97))],
    ("v", 9): [((178, 178, 178), (255, 255, 255)), ((255, 255, 255), (220, 220, 220)),
               ((210, 210, 210), (178, 178, 178))],
}


def mix(a, b, t):
    return tuple(p + (q - p) * t for p, q in zip(a, b))


def edge_band(extent, percent):
    e = math.ceil(percent * 0.0045 * extent)
    return max(e, 1)


def shaded(x0, y0, width, height, scheme, percent, vertical):
    """The colour function of a shaded box, as the program fills it (linear bands)."""
    bands = SCHEMES[("v" if vertical else "h", scheme)]
    extent = height if vertical else width
    e = edge_band(extent, percent)
    spans = [(0, e), (e, extent - 2 * e), (extent - e, e)]

    def colour(x, y):
        i = int(y - y0) if vertical else int(x - x0)
        for (start, length), (a, b) in zip(spans, bands):
            if start <= i < start + length:
                return mix(a, b, (i - start) / length)
        return bands[2][1]
    return colour


class Canvas:
    def __init__(self, width, height, background):
        self.width, self.height = width, height
        self.pixels = [[tuple(map(float, background(x, y) if callable(background) else background))
                        for x in range(width)] for y in range(height)]

    def blend(self, x, y, colour, alpha):
        if 0 <= x < self.width and 0 <= y < self.height and alpha > 0:
            self.pixels[y][x] = mix(self.pixels[y][x], colour, alpha)

    def shape(self, inside, box, colour, alpha=1.0):
        """Fills the points of box (x0, y0, x1, y1) for which inside(x, y) holds;
        colour is a triple or a function of the point."""
        x0, y0, x1, y1 = (int(math.floor(v)) for v in box)
        for py in range(max(y0, 0), min(y1 + 1, self.height)):
            for px in range(max(x0, 0), min(x1 + 1, self.width)):
                hits = sum(inside(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
                           for sy in range(SAMPLES) for sx in range(SAMPLES))
                if hits:
                    c = colour(px + 0.5, py + 0.5) if callable(colour) else colour
                    self.blend(px, py, c, alpha * hits / SAMPLES ** 2)

    def rect(self, x, y, w, h, colour, alpha=1.0):
        self.shape(lambda u, v: x <= u < x + w and y <= v < y + h, (x, y, x + w, y + h), colour, alpha)

    def rounded(self, x, y, w, h, r, colour, alpha=1.0):
        def inside(u, v):
            if not (x <= u < x + w and y <= v < y + h):
                return False
            cx = min(max(u, x + r), x + w - r)
            cy = min(max(v, y + r), y + h - r)
            return (u - cx) ** 2 + (v - cy) ** 2 <= r * r
        self.shape(inside, (x, y, x + w, y + h), colour, alpha)

    def ellipse(self, cx, cy, rx, ry, colour, alpha=1.0, clip=None):
        def inside(u, v):
            return ((u - cx) / rx) ** 2 + ((v - cy) / ry) ** 2 <= 1 and (clip is None or clip(u, v))
        self.shape(inside, (cx - rx, cy - ry, cx + rx, cy + ry), colour, alpha)

    def polygon(self, points, colour, alpha=1.0):
        def inside(u, v):
            result = False
            for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                if (ay > v) != (by > v) and u < ax + (v - ay) * (bx - ax) / (by - ay):
                    result = not result
            return result
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        self.shape(inside, (min(xs), min(ys), max(xs), max(ys)), colour, alpha)

    def line(self, ax, ay, bx, by, width, colour):
        def inside(u, v):
            dx, dy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((u - ax) * dx + (v - ay) * dy) / (dx * dx + dy * dy)))
            return math.hypot(u - ax - t * dx, v - ay - t * dy) <= width / 2
        pad = width
        self.shape(inside, (min(ax, bx) - pad, min(ay, by) - pad, max(ax, bx) + pad, max(ay, by) + pad), colour)

    def text(self, x, y, words, points, colour, bold=True, centre_in=None, alpha=1.0):
        """Sets words with the top-left of their line box at (x, y), or centred
        across centre_in pixels from x."""
        mask_w, mask_h, mask = text_mask(words, points, bold)
        if centre_in is not None:
            x += (centre_in - mask_w) // 2
        for my in range(mask_h):
            for mx in range(mask_w):
                self.blend(x + mx, y + my, colour, alpha * mask[my * mask_w + mx] / 255)


def text_mask(words, points, bold):
    """Coverage of the words, one byte per pixel, from ImageMagick."""
    face = "LiberationSans-Bold.ttf" if bold else "LiberationSans-Regular.ttf"
    pgm = subprocess.run(["convert", "-background", "black", "-fill", "white", "-font",
                          os.path.join(FONT_DIR, face), "-pointsize", str(points), "label:" + words,
                          "-depth", "8", "pgm:-"], check=True, capture_output=True).stdout
    fields = pgm.split(maxsplit=4)  # P5, width, height, maximum, pixels
    width, height = int(fields[1]), int(fields[2])
    return width, height, fields[4][-width * height:]


# ------------------------------------------------------------ 8-bit output

def median_cut(counts, size):
    boxes = [list(counts.items())]
    while len(boxes) < size:
        def spread(box):
            return max(max(c[i] for c, _ in box) - min(c[i] for c, _ in box) for i in range(3))
        splittable = [b for b in boxes if len(b) > 1]
        if not splittable:
            break
        box = max(splittable, key=lambda b: spread(b) * sum(n for _, n in b))
        boxes.remove(box)
        channel = max(range(3), key=lambda i: max(c[i] for c, _ in box) - min(c[i] for c, _ in box))
        box.sort(key=lambda item: item[0][channel])
        half, seen, cut = sum(n for _, n in box) / 2, 0, 1
        for i, (_, n) in enumerate(box):
            seen += n
            if seen >= half:
                cut = min(max(i, 1), len(box) - 1)
                break
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(round(sum(c[i] * n for c, n in box) / total) for i in range(3)))
    return palette


def write_bmp8(name, canvas):
    rows = [[tuple(int(round(min(max(v, 0), 255))) for v in p) for p in row] for row in canvas.pixels]
    counts = {}
    for row in rows:
        for p in row:
            counts[p] = counts.get(p, 0) + 1
    palette = sorted(counts) if len(counts) <= 256 else median_cut(counts, 256)
    index = {}
    for c in counts:
        index[c] = min(range(len(palette)),
                       key=lambda i: sum((a - b) ** 2 for a, b in zip(c, palette[i])))
    width, height = canvas.width, canvas.height
    stride = (width + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # BMP rows run bottom-up
        pixels += bytes(index[p] for p in row) + bytes(stride - width)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 54 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835,
                       len(palette), 0)
    with open(os.path.join(OUT_DIR, name), "wb") as f:
        f.write(header + info + table + pixels)


# ------------------------------------------------- the column: logo, badge

# The About page's left column, a grey shaded box at (3, 3), 136 wide.
COLUMN = shaded(3, 3, 136, 248, 7, 20, False)


def on_column(left, top):
    return lambda x, y: COLUMN(left + x, top + y)


DIAL = (30, 34, 44)
SEGMENT = (220, 40, 40)


def clock_face(c, cx, cy, radius):
    """The program icon's clock: white rim, dark dial, a red segment from twelve
    to four o'clock, white hands along its edges."""
    c.ellipse(cx + 1.5, cy + 2.5, radius, radius, BLACK, 0.35)
    c.ellipse(cx, cy, radius, radius, WHITE)
    c.ellipse(cx, cy, radius * 0.86, radius * 0.86, lambda x, y: mix(DIAL, (62, 70, 88), (cy - y) / radius / 2 + 0.5))
    inner = radius * 0.78

    def in_segment(u, v):
        angle = math.degrees(math.atan2(u - cx, cy - v)) % 360
        return angle <= 120
    c.ellipse(cx, cy, inner, inner, SEGMENT, clip=in_segment)
    for hour in range(12):
        a = math.radians(hour * 30)
        long = hour % 3 == 0
        c.line(cx + math.sin(a) * inner * (0.80 if long else 0.88), cy - math.cos(a) * inner * (0.80 if long else 0.88),
               cx + math.sin(a) * inner * 0.97, cy - math.cos(a) * inner * 0.97, 2.2 if long else 1.3, WHITE)
    c.line(cx, cy, cx, cy - inner * 0.86, radius * 0.11, WHITE)
    a = math.radians(120)
    c.line(cx, cy, cx + math.sin(a) * inner * 0.62, cy - math.cos(a) * inner * 0.62, radius * 0.13, WHITE)
    c.ellipse(cx, cy, radius * 0.09, radius * 0.09, WHITE)


def logo():
    c = Canvas(84, 82, on_column(30, 7))
    clock_face(c, 42, 30, 29)
    c.text(1, 61, "Horavel", 15, (255, 255, 255), centre_in=84, alpha=0.55)
    c.text(0, 62, "Horavel", 15, (16, 18, 24), centre_in=84)
    return c


def badge():
    c = Canvas(87, 42, on_column(28, 206))
    c.rounded(1, 2, 86, 40, 7, BLACK, 0.35)
    c.rounded(0, 0, 86, 40, 7, GOLD)
    c.rounded(2, 2, 82, 36, 5, lambda x, y: mix((52, 56, 66), (14, 15, 18), y / 40))
    c.text(0, 3, "ON TIME", 15, WHITE, centre_in=86)
    c.text(0, 21, "every meeting", 10, GOLD, bold=False, centre_in=86)
    return c


# ----------------------------------------------- the full-screen readout

# Page 0's silver box, top to bottom, where the picture stands at (195, 35).
SILVER = shaded(161, 26, 208, 154, 9, 25, True)


def screen_contents(c, left, top, width, height):
    """Horavel maximized: two readouts side by side on the black window, the
    meeting clock on the left, a running count-down on the right."""
    c.rect(left, top, width, height, BLACK)
    # The top bar's grey bands.
    for i, level in enumerate((67, 145, 108)):
        c.rect(left, top + i, width, 1, (level,) * 3)
    y0 = top + 4
    column = (width - 1) // 2
    # Meeting clock: the time on a silver band, the remaining meeting time over
    # a blue column that drains as the meeting runs.
    cl, cw = left, column
    band = 13
    c.rect(cl, y0, cw, band, shaded(cl, y0, cw, band, 9, 20, True))
    c.text(cl, y0 - 2, "10:42", 12, BLACK, centre_in=cw)
    c.rect(cl, y0 + band, cw, 1, BLACK)
    area_top, area_h = y0 + band + 1, top + height - 2 - (y0 + band + 1)
    c.rect(cl, area_top, cw, area_h, shaded(cl, area_top, cw, area_h, 10, 20, False))
    blue_top = area_top + area_h * 2 // 5
    c.rect(cl, blue_top, cw, top + height - 2 - blue_top, shaded(cl, blue_top, cw, area_h, 1, 20, False))
    c.text(cl, blue_top - 14, "18 min", 10, WHITE, centre_in=cw)
    marker = blue_top + 17
    c.rect(cl, marker, cw, 1, BLACK)
    # Timer: preset buttons on top, the green fill shrinking from the top.
    tl, tw = left + column + 1, width - column - 1
    cells = 3
    for i in range(cells):
        cx = tl + i * tw // cells
        c.rect(cx, y0, tw // cells - 1, 5, (238, 238, 238))
        c.rect(cx + tw // cells // 2 - 2, y0 + 2, 4, 1, (90, 90, 90))
    t_top = y0 + 6
    t_h = top + height - 2 - t_top
    c.rect(tl, t_top, tw, t_h, shaded(tl, t_top, tw, t_h, 10, 20, False))
    green_top = t_top + t_h // 4
    c.rect(tl, green_top, tw, top + height - 2 - green_top, shaded(tl, green_top, tw, t_h, 0, 20, False))
    c.text(tl, green_top - 3, "12:30", 15, WHITE, centre_in=tw)
    # The bottom bar.
    c.rect(left, top + height - 2, width, 1, (67, 67, 67))


def full_screen():
    c = Canvas(129, 127, lambda x, y: SILVER(195 + x, 35 + y))
    # A flat-panel monitor on its stand, with a soft shadow on the desk.
    c.ellipse(64, 121, 44, 4.5, BLACK, 0.25)
    c.polygon([(56, 96), (72, 96), (76, 116), (52, 116)], lambda x, y: mix((70, 72, 78), (36, 38, 42), (y - 96) / 20))
    c.ellipse(64, 117, 34, 4, lambda x, y: mix((95, 98, 105), (40, 42, 46), (y - 113) / 8))
    c.rounded(2, 2, 125, 96, 5, lambda x, y: mix((58, 60, 66), (24, 25, 28), y / 96))
    c.rounded(3, 3, 123, 94, 4, lambda x, y: mix((44, 46, 52), (18, 19, 22), y / 96))
    screen_contents(c, 7, 7, 115, 83)
    c.rect(7, 7, 115, 1, WHITE, 0.18)  # a glint along the glass
    c.ellipse(64, 93.5, 1.3, 1.3, (90, 210, 90))
    return c


# ---------------------------------------------------------- the meeting

SKIN = [(241, 194, 150), (198, 134, 86), (224, 172, 125), (141, 92, 58), (232, 185, 140), (172, 112, 72)]
HAIR = [(40, 28, 20), (20, 20, 22), (120, 74, 36), (30, 24, 22), (170, 150, 120), (60, 40, 30)]
SHIRTS = [(36, 110, 150), (150, 46, 60), (60, 70, 150), (196, 150, 40), (60, 130, 90), (110, 60, 130)]


def person(c, cx, top, scale, i, facing=True):
    """A head and shoulders; facing people show a face, the others their hair."""
    head = 7.5 * scale
    shirt = SHIRTS[i]
    c.ellipse(cx, top + head * 3.3, head * 2.3, head * 1.7,
              lambda x, y: mix(shirt, mix(shirt, BLACK, 0.45), abs(x - cx) / (head * 2.3)))
    c.rect(cx - head * 0.35, top + head * 1.6, head * 0.7, head * 0.6, mix(SKIN[i], BLACK, 0.2))
    c.ellipse(cx, top + head, head * 0.85, head, SKIN[i] if facing else HAIR[i])
    if facing:
        c.ellipse(cx, top + head * 0.55, head * 0.9, head * 0.6, HAIR[i],
                  clip=lambda u, v: v < top + head * 0.75 or abs(u - cx) > head * 0.62)


def meeting():
    wall = lambda x, y: mix((34, 42, 58), (78, 88, 104), y / 110)
    c = Canvas(232, 158, wall)
    c.rect(0, 104, 232, 54, lambda x, y: mix((58, 56, 62), (30, 29, 33), (y - 104) / 54))
    # The wall screen shows Horavel's timer running.
    c.rect(10, 12, 92, 58, BLACK, 0.4)
    c.rect(8, 9, 92, 58, (12, 12, 14))
    sx, sy, sw, sh = 11, 12, 86, 52
    c.rect(sx, sy, sw, 11, shaded(sx, sy, sw, 11, 9, 20, True))
    c.text(sx, sy - 1, "10:42 AM", 9, BLACK, centre_in=sw)
    c.rect(sx, sy + 11, sw, 1, BLACK)
    c.rect(sx, sy + 12, sw, 12, shaded(sx, sy + 12, sw, sh - 12, 10, 20, False))
    c.rect(sx, sy + 24, sw, sh - 24, shaded(sx, sy + 24, sw, sh - 24, 0, 20, False))
    c.text(sx, sy + 18, "05:00", 20, WHITE, centre_in=sw)
    # Four people across the table, two at its near corners.
    for i, x in enumerate((62, 98, 136, 172)):
        person(c, x, 66, 1.0, i)
    c.polygon([(44, 96), (188, 96), (226, 140), (6, 140)],
              lambda x, y: mix((164, 112, 66), (120, 78, 44), (y - 96) / 44))
    c.polygon([(6, 140), (226, 140), (226, 147), (6, 147)], (82, 52, 30))
    c.line(44, 96, 188, 96, 1.2, (196, 146, 96))
    # Laptops, papers and cups on the table.
    for x, y in ((70, 100), (150, 100)):
        c.polygon([(x, y + 9), (x + 20, y + 9), (x + 23, y + 13), (x - 3, y + 13)], (150, 152, 158))
        c.rect(x + 1, y, 18, 9, (40, 42, 48))
        c.rect(x + 2, y + 1, 16, 7, (120, 170, 210), 0.8)
    c.polygon([(104, 112), (122, 110), (124, 122), (106, 124)], (244, 244, 236))
    c.polygon([(40, 124), (58, 123), (59, 134), (41, 135)], (236, 236, 228))
    for x, y in ((128, 104), (182, 118), (94, 124)):
        c.ellipse(x, y + 4, 3.5, 1.5, BLACK, 0.3)
        c.rect(x - 3, y - 3, 6, 7, WHITE)
        c.ellipse(x, y - 3, 3, 1.2, (90, 60, 40))
    person(c, 16, 104, 1.7, 4, facing=False)
    person(c, 214, 106, 1.7, 5, facing=False)
    return c


# ------------------------------------------------------- the cost counter

def cost():
    """The top of Horavel's window with the cost counter shown: the top bar,
    the pale yellow cost strip with its orange amount, the clock's band."""
    c = Canvas(200, 83, BLACK)
    for i, level in enumerate((67, 145, 108, 82, 54, 30, 16)):
        c.rect(0, i, 200, 1, (level,) * 3)
    clock_face(c, 8, 4, 3.2)
    for i, x in enumerate((172, 186)):
        c.rect(x, 1, 10, 10, (192, 192, 192))
        c.rect(x + 1, 2, 8, 8, (16, 16, 16))
    c.line(188, 3, 194, 9, 1.4, (192, 192, 192))
    c.line(194, 3, 188, 9, 1.4, (192, 192, 192))
    c.rect(174, 3, 6, 6, (192, 192, 192))
    c.rect(175, 5, 4, 3, (16, 16, 16))
    c.rect(2, 14, 196, 36, (255, 255, 185))
    c.text(2, 11, "$1,250", 30, (255, 100, 0), centre_in=196)
    c.rect(2, 51, 196, 30, shaded(2, 51, 196, 30, 9, 20, True))
    c.text(2, 49, "10:42 AM", 24, BLACK, centre_in=196)
    return c


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for name, draw in (("logo", logo), ("badge", badge), ("full_screen", full_screen),
                       ("meeting", meeting), ("cost", cost)):
        write_bmp8(name + ".bmp", draw())


if __name__ == "__main__":
    main()
