#!/usr/bin/env python3
"""Draws the plug-in's own pictures: the pick-button glyphs, the info icon
(24-bit BMP) and the About box picture (PNG). Run it from this folder; the
outputs are committed beside it and linked in through editors.rc."""
import math
import struct
import zlib

MAGENTA = (255, 0, 255)


class Canvas:
    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):  # inclusive
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.put(x, y0, c)
            self.put(x, y1, c)
        for y in range(y0, y1 + 1):
            self.put(x0, y, c)
            self.put(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.put(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def disc(self, cx, cy, r, colour_at):
        for y in range(self.h):
            for x in range(self.w):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if d <= r:
                    self.put(x, y, colour_at(x, y, d))

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


def variable_glyph(size):
    c = Canvas(size, size, MAGENTA)
    s = size / 19.0
    x0, y0, x1, y1 = round(5 * s), round(1 * s), round(17 * s), round(17 * s)
    c.rect(x0, y0, x1, y1, (255, 255, 255))
    c.frame(x0, y0, x1, y1, (96, 96, 96))
    fold = round(3 * s)
    for i in range(fold + 1):  # folded corner
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


def file_glyph():
    c = Canvas(19, 19, MAGENTA)
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


def object_glyph():
    c = Canvas(19, 19, MAGENTA)
    cx = cy = 9.5

    def at(x, y, d):
        a = math.atan2(y + 0.5 - cy, x + 0.5 - cx)
        tooth = (math.cos(8 * a) > 0.2)
        outer = 8.6 if tooth else 6.6
        if d > outer:
            return None
        if d < 2.6:
            return MAGENTA
        shade = int(110 + 70 * (1 - d / 9))
        return (shade, shade, shade + 8) if d < outer - 1.0 else (70, 70, 76)

    for y in range(19):
        for x in range(19):
            v = at(x, y, math.hypot(x + 0.5 - cx, y + 0.5 - cy))
            if v is not None:
                c.put(x, y, v)
    return c


def help_glyph():
    c = Canvas(20, 20, MAGENTA)
    c.disc(10, 10, 9.3, lambda x, y, d: (20, 70, 200) if d > 8.2 else (40 + int(8 * d), 110 + int(6 * d), 235))
    c.pattern(7, 5, QUESTION, (255, 255, 255))
    return c


def info_icon():
    c = Canvas(17, 17, (0xD1, 0xD1, 0xC1))

    def orange(x, y, d):
        t = max(0.0, min(1.0, (x + y) / 32.0))
        if d > 7.6:
            return (200, 110, 20)
        return (255, int(215 - 90 * t), int(110 - 90 * t))

    c.disc(8.5, 8.5, 8.4, orange)
    c.pattern(6, 4, QUESTION_SMALL, (200, 0, 0))
    c.pattern(7, 4, QUESTION_SMALL, (200, 0, 0))
    return c


def about_picture():
    w, h = 188, 132
    c = Canvas(w, h, (0, 0, 0))
    for y in range(h):  # evening sky
        t = y / (h - 1)
        for x in range(w):
            c.put(x, y, (int(20 + 60 * t), int(40 + 90 * t), int(110 + 100 * t)))
    for (sx, sy) in [(12, 10), (40, 22), (70, 8), (150, 14), (176, 30), (120, 6), (25, 45)]:
        c.put(sx, sy, (255, 255, 220))
        c.put(sx + 1, sy, (200, 200, 170))
    # a window floating over the horizon, with a gradient title bar
    c.rect(34, 34, 150, 104, (212, 208, 200))
    for x in range(36, 149):
        t = (x - 36) / 112.0
        col = (int(10 + 200 * t), int(36 + 172 * t), int(106 + 94 * t))
        for y in range(36, 48):
            c.put(x, y, col)
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
    for y in range(h):
        for x in range(w):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            a = math.atan2(y + 0.5 - cy, x + 0.5 - cx)
            outer = 17 if math.cos(10 * a) > 0.1 else 13
            if 5 < d <= outer:
                g = int(150 + 60 * math.sin(a))
                c.put(x, y, (g, g, min(255, g + 20)))
    # the ground
    for y in range(118, h):
        for x in range(40, w):
            c.put(x, y, (30, 90 - (y - 118) * 2, 40))
    return c


if __name__ == "__main__":
    write_bmp("glyph_variable.bmp", variable_glyph(19))
    write_bmp("glyph_variable24.bmp", variable_glyph(24))
    write_bmp("glyph_file.bmp", file_glyph())
    write_bmp("glyph_object.bmp", object_glyph())
    write_bmp("glyph_help.bmp", help_glyph())
    write_bmp("info_icon.bmp", info_icon())
    write_png("about.png", about_picture())
