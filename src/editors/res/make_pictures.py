#!/usr/bin/env python3
"""Draws the plug-in's own pictures: the pick-button glyphs, the info icon
(24-bit BMP) and the About box picture (PNG). Run it from this folder; the
outputs are committed beside it and linked in through editors.rc."""
import math
import struct
import zlib

MAGENTA = (255, 0, 255)


class Canvas:
    """A picture of w x h design pixels drawn at `scale` times that size (1, 1.5
    or 2). Shapes are given in design coordinates and drawn at the output
    resolution, so a scaled picture has edges as sharp as the design one; at
    scale 1 every shape sets exactly the pixels it always did."""

    def __init__(self, w, h, bg, scale=1):
        self.k = scale
        self.w, self.h = self.at(w), self.at(h)
        self.px = [[bg] * self.w for _ in range(self.h)]

    def at(self, v):
        """The output pixel where design coordinate v begins; halves round up,
        as the system's MulDiv does for the picture's size."""
        return math.floor(v * self.k + 0.5)

    def fill(self, x0, y0, x1, y1, c):  # output pixels, half-open, clipped
        for y in range(max(y0, 0), min(y1, self.h)):
            row = self.px[y]
            for x in range(max(x0, 0), min(x1, self.w)):
                row[x] = c

    def put(self, x, y, c):
        self.fill(self.at(x), self.at(y), self.at(x + 1), self.at(y + 1), c)

    def rect(self, x0, y0, x1, y1, c):  # inclusive
        self.fill(self.at(x0), self.at(y0), self.at(x1 + 1), self.at(y1 + 1), c)

    def frame(self, x0, y0, x1, y1, c):
        self.rect(x0, y0, x1, y0, c)
        self.rect(x0, y1, x1, y1, c)
        self.rect(x0, y0, x0, y1, c)
        self.rect(x1, y0, x1, y1, c)

    def line(self, x0, y0, x1, y1, c):
        """A line one design pixel thick: along its longer axis every output
        pixel gets a band of at(1) pixels across, placed where the line passes."""
        steep = abs(y1 - y0) > abs(x1 - x0)
        if steep:
            x0, y0, x1, y1 = y0, x0, y1, x1
        lo, hi = min(x0, x1), max(x0, x1)
        thick = self.at(1)
        for p in range(self.at(lo), self.at(hi + 1)):
            x = min(hi, max(lo, (p + 0.5) / self.k - 0.5))  # design position of this pixel
            y = y0 if x1 == x0 else y0 + (y1 - y0) * abs(x - x0) / abs(x1 - x0)
            q = round(y * self.k + (self.k - thick) / 2)
            if steep:
                self.fill(q, p, q + thick, p + 1, c)
            else:
                self.fill(p, q, p + 1, q + thick, c)

    def shade(self, colour_at, x0=0, y0=0, x1=None, y1=None):
        """Colours the output pixels of the design rectangle (inclusive; the
        whole picture by default) by colour_at(x, y) of each pixel's centre in
        design coordinates; None leaves a pixel as it is."""
        x1 = self.w if x1 is None else self.at(x1 + 1)
        y1 = self.h if y1 is None else self.at(y1 + 1)
        for py in range(max(self.at(y0), 0), min(y1, self.h)):
            for px in range(max(self.at(x0), 0), min(x1, self.w)):
                v = colour_at((px + 0.5) / self.k, (py + 0.5) / self.k)
                if v is not None:
                    self.px[py][px] = v

    def disc(self, cx, cy, r, colour_at):
        """colour_at(x, y, d) gets the pixel's design position (its corner) and
        the distance of its centre from (cx, cy)."""
        def at(x, y):
            d = math.hypot(x - cx, y - cy)
            return colour_at(x - 0.5, y - 0.5, d) if d <= r else None
        self.shade(at)

    def pattern(self, x0, y0, rows, c):
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch == 'X':
                    self.put(x0 + dx, y0 + dy, c)


QUESTION = [".XXXX.", "XX..XX", "....XX", "...XX.", "..XX..", "..XX..", "......", "..XX..", "..XX.."]
QUESTION_SMALL = [".XXX.", "X...X", "...X.", "..X..", "..X..", ".....", "..X.."]
HASH = [".X.X.", "XXXXX", ".X.X.", "XXXXX", ".X.X."]


def write_bmp(path, canvas):
    row_bytes = (canvas.w * 3 + 3) & ~3
    data = bytearray()
    for y in range(canvas.h - 1, -1, -1):
        row = bytearray()
        for (r, g, b) in canvas.px[y]:
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.w, canvas.h, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def write_png(path, canvas):
    raw = bytearray()
    for row in canvas.px:
        raw.append(0)
        for (r, g, b) in row:
            raw += bytes((r, g, b))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", canvas.w, canvas.h, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def variable_glyph(size, scale=1):
    c = Canvas(size, size, MAGENTA, scale)
    s = size / 19.0
    x0, y0, x1, y1 = round(5 * s), round(1 * s), round(17 * s), round(17 * s)
    c.rect(x0, y0, x1, y1, (255, 255, 255))
    c.frame(x0, y0, x1, y1, (96, 96, 96))
    fold = round(3 * s)
    for i in range(fold, -1, -1):  # folded corner; its edge last, so no cut-out line covers it
        c.line(x1 - fold + i, y0, x1, y0 + fold - i, MAGENTA if i > 0 else (96, 96, 96))
    c.line(x1 - fold, y0, x1 - fold, y0 + fold, (96, 96, 96))
    c.line(x1 - fold, y0 + fold, x1, y0 + fold, (96, 96, 96))
    red = (210, 20, 20)
    bx, by = round(8 * s), round(6 * s)
    c.line(bx, by, bx, by + round(6 * s), red)  # [
    c.line(bx, by, bx + 1, by, red)
    c.line(bx, by + round(6 * s), bx + 1, by + round(6 * s), red)
    c.pattern(bx + 2, by + 1, HASH, red)
    ex = bx + 8
    c.line(ex, by, ex, by + round(6 * s), red)  # ]
    c.line(ex - 1, by, ex, by, red)
    c.line(ex - 1, by + round(6 * s), ex, by + round(6 * s), red)
    ay = round(14 * s)  # arrow from the left into the document
    c.line(0, ay, round(7 * s), ay, red)
    c.line(0, ay + 1, round(7 * s), ay + 1, red)
    for i in range(3):
        c.line(round(7 * s) - i - 1, ay - 2 + i, round(7 * s) - i - 1, ay + 3 - i, red)
    return c


def file_glyph(scale=1):
    c = Canvas(19, 19, MAGENTA, scale)
    dark = (150, 110, 0)
    c.rect(1, 4, 7, 6, (240, 200, 40))  # tab
    c.frame(1, 4, 7, 6, dark)
    c.rect(1, 6, 17, 16, (250, 215, 60))
    c.frame(1, 6, 17, 16, dark)
    c.rect(3, 9, 18, 16, (255, 235, 120))  # open front flap
    c.line(3, 9, 18, 9, dark)
    c.line(18, 9, 17, 16, dark)
    c.line(3, 9, 1, 16, dark)
    return c


def object_glyph(scale=1):
    c = Canvas(19, 19, MAGENTA, scale)
    cx = cy = 9.5

    def at(x, y):
        d = math.hypot(x - cx, y - cy)
        a = math.atan2(y - cy, x - cx)
        tooth = (math.cos(8 * a) > 0.2)
        outer = 8.6 if tooth else 6.6
        if d > outer:
            return None
        if d < 2.6:
            return MAGENTA
        shade = int(110 + 70 * (1 - d / 9))
        return (shade, shade, shade + 8) if d < outer - 1.0 else (70, 70, 76)

    c.shade(at)
    return c


def help_glyph(scale=1):
    c = Canvas(20, 20, MAGENTA, scale)
    c.disc(10, 10, 9.3, lambda x, y, d: (20, 70, 200) if d > 8.2 else (40 + int(8 * d), 110 + int(6 * d), 235))
    c.pattern(7, 5, QUESTION, (255, 255, 255))
    return c


def info_icon(scale=1):
    c = Canvas(17, 17, (0xD1, 0xD1, 0xC1), scale)

    def orange(x, y, d):
        t = max(0.0, min(1.0, (x + y) / 32.0))
        if d > 7.6:
            return (200, 110, 20)
        return (255, int(215 - 90 * t), int(110 - 90 * t))

    c.disc(8.5, 8.5, 8.4, orange)
    c.pattern(6, 4, QUESTION_SMALL, (200, 0, 0))
    c.pattern(7, 4, QUESTION_SMALL, (200, 0, 0))
    return c


def about_picture(scale=1):
    w, h = 188, 132
    c = Canvas(w, h, (0, 0, 0), scale)

    def sky(x, y):  # evening sky, by design row
        t = max(0.0, min(1.0, (y - 0.5) / (h - 1)))
        return (int(20 + 60 * t), int(40 + 90 * t), int(110 + 100 * t))

    c.shade(sky)
    for (sx, sy) in [(12, 10), (40, 22), (70, 8), (150, 14), (176, 30), (120, 6), (25, 45)]:
        c.put(sx, sy, (255, 255, 220))
        c.put(sx + 1, sy, (200, 200, 170))
    # a window floating over the horizon, with a gradient title bar
    c.rect(34, 34, 150, 104, (212, 208, 200))

    def title(x, y):
        t = max(0.0, min(1.0, (x - 0.5 - 36) / 112.0))
        return (int(10 + 200 * t), int(36 + 172 * t), int(106 + 94 * t))

    c.shade(title, 36, 36, 148, 47)
    c.frame(34, 34, 150, 104, (64, 64, 64))
    c.rect(139, 38, 146, 45, (212, 208, 200))
    c.line(140, 39, 145, 44, (0, 0, 0))
    c.line(145, 39, 140, 44, (0, 0, 0))
    c.rect(42, 56, 142, 76, (255, 255, 255))
    c.frame(42, 56, 142, 76, (128, 128, 128))
    for x in range(46, 120, 6):
        c.rect(x, 63, x + 3, 68, (60, 60, 60))
    c.rect(92, 84, 114, 97, (212, 208, 200))
    c.frame(92, 84, 114, 97, (64, 64, 64))
    c.rect(120, 84, 142, 97, (212, 208, 200))
    c.frame(120, 84, 142, 97, (64, 64, 64))
    # a gear in the lower left
    cx, cy = 22, 110

    def gear(x, y):
        d = math.hypot(x - cx, y - cy)
        a = math.atan2(y - cy, x - cx)
        outer = 17 if math.cos(10 * a) > 0.1 else 13
        if 5 < d <= outer:
            g = int(150 + 60 * math.sin(a))
            return (g, g, min(255, g + 20))
        return None

    c.shade(gear)
    # the ground, darker by design row
    c.shade(lambda x, y: (30, int(90 - max(0.0, y - 0.5 - 118) * 2), 40), 40, 118, w - 1, h - 1)
    return c


# Each picture at 100 %, 150 % and 200 % of its design size: (file stem, writer,
# extension, drawing of a scale).
PICTURES = [
    ("glyph_variable", write_bmp, "bmp", lambda k: variable_glyph(19, k)),
    ("glyph_variable24", write_bmp, "bmp", lambda k: variable_glyph(24, k)),
    ("glyph_file", write_bmp, "bmp", file_glyph),
    ("glyph_object", write_bmp, "bmp", object_glyph),
    ("glyph_help", write_bmp, "bmp", help_glyph),
    ("info_icon", write_bmp, "bmp", info_icon),
    ("about", write_png, "png", about_picture),
]

if __name__ == "__main__":
    for stem, write, ext, draw in PICTURES:
        write(f"{stem}.{ext}", draw(1))
        write(f"{stem}_150.{ext}", draw(1.5))
        write(f"{stem}_200.{ext}", draw(2))
