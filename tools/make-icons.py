#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files (16x16 and 32x32,
32-bit with alpha plus the AND mask older systems use).

Only the standard library is used, so the pictures can be regenerated
anywhere; the .ico files are committed because build machines may lack
python3.

    tools/make-icons.py [output-dir] [--preview sheet.png]
"""

import math
import os
import struct
import sys
import zlib

SUPERSAMPLE = 4  # sub-pixels per pixel edge for anti-aliasing


def rgb(hex_colour, alpha=255):
    value = int(hex_colour.lstrip("#"), 16)
    return ((value >> 16) & 255, (value >> 8) & 255, value & 255, alpha)


class Canvas:
    """A square RGBA picture; shapes are painted over it, edges anti-aliased."""

    def __init__(self, size):
        self.size = size
        self.pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def paint(self, inside, colour):
        """Blends colour over every pixel by the share of its sub-pixels that
        inside(x, y) accepts; colour is an RGBA tuple or a function of (x, y)."""
        step = 1.0 / SUPERSAMPLE
        offsets = [(i + 0.5) * step for i in range(SUPERSAMPLE)]
        samples = SUPERSAMPLE * SUPERSAMPLE
        for py in range(self.size):
            for px in range(self.size):
                hits = sum(1 for oy in offsets for ox in offsets
                           if inside(px + ox, py + oy))
                if hits:
                    c = colour(px + 0.5, py + 0.5) if callable(colour) else colour
                    self._blend(px, py, c, hits / samples)

    def _blend(self, px, py, colour, coverage):
        r, g, b, a = colour
        src_a = a / 255.0 * coverage
        dr, dg, db, da = self.pixels[py][px]
        dst_a = da / 255.0
        out_a = src_a + dst_a * (1 - src_a)
        if out_a <= 0:
            return

        def mix(s, d):
            return round((s * src_a + d * dst_a * (1 - src_a)) / out_a)

        self.pixels[py][px] = (mix(r, dr), mix(g, dg), mix(b, db),
                               round(out_a * 255))


# ---- shapes: each returns a point test inside(x, y) ----

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        n = len(points)
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            if (ay > y) != (by > y):
                cross = ax + (y - ay) * (bx - ax) / (by - ay)
                if x < cross:
                    result = not result
        return result
    return inside


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


def vertical_gradient(top, bottom, y0, y1):
    def colour(x, y):
        t = min(max((y - y0) / float(y1 - y0), 0.0), 1.0)
        return tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
    return colour


def scaled(points, factor):
    return [(x * factor, y * factor) for x, y in points]


# ---- the pictures, drawn on a 16-unit grid and scaled for 32x32 ----
# Straight edges sit on whole units so that both sizes stay crisp.

def speech_bubble(c, s):
    """Outline and body of the program's bubble; s is pixels per unit."""
    body = union(rounded_rect(0 * s, 1 * s, 16 * s, 12 * s, 3.0 * s),
                 polygon(scaled([(3.0, 11.0), (8.0, 11.0), (2.0, 15.6)], s)))
    inner = union(rounded_rect(1 * s, 2 * s, 15 * s, 11 * s, 2.0 * s),
                  polygon(scaled([(4.0, 10.5), (6.6, 10.5), (3.4, 13.4)], s)))
    c.paint(body, rgb("#B4500F"))
    c.paint(inner, vertical_gradient(rgb("#FFB347"), rgb("#F07B14"), 2 * s, 11 * s))


def bubble_lines(c, s, highlight):
    """Three short white lines, like the entries of a small menu."""
    rows = [(4, 4, 12), (6, 4, 10), (8, 4, 13)]
    for i, (y, x0, x1) in enumerate(rows):
        if highlight and i == 1:
            c.paint(rect(2 * s, (y - 1) * s, 14 * s, (y + 2) * s), rgb("#1C5FC8"))
        c.paint(rect(x0 * s, y * s, x1 * s, (y + 1) * s), rgb("#FFFFFF"))


def draw_program(size, busy=False):
    c = Canvas(size)
    s = size / 16.0
    speech_bubble(c, s)
    bubble_lines(c, s, busy)
    if busy:
        # a pointer on the highlighted entry: the menu is open
        arrow = [(9.0, 6.0), (9.0, 15.5), (11.2, 13.5), (12.6, 16.0),
                 (14.2, 15.2), (12.8, 12.7), (15.6, 12.6)]
        c.paint(polygon(scaled(arrow, s)), rgb("#000000"))
        inner = [(10.0, 8.4), (10.0, 13.2), (11.4, 12.0), (12.9, 14.8),
                 (13.2, 14.6), (11.8, 11.8), (13.4, 11.7)]
        c.paint(polygon(scaled(inner, s)), rgb("#FFFFFF"))
    return c


def arrow_points(size):
    """Outline and fill of an upward arrow. In the 32x32 image the arrow is
    kept to the middle 16 pixels: it sits on buttons about 21 pixels high
    that draw it centred at its own size."""
    if size == 16:
        tip, base, half, shaft, bottom = (8, 1), 8, 7, 3, 15
    else:
        tip, base, half, shaft, bottom = (16, 8), 16, 8, 3, 24
    cx, ty = tip
    outer = [(cx, ty), (cx + half, base), (cx + shaft, base), (cx + shaft, bottom),
             (cx - shaft, bottom), (cx - shaft, base), (cx - half, base)]
    d = math.sqrt(2)  # a one-pixel outline along the 45-degree edges
    ibase = base - 1
    ihalf = ibase - (ty + d)
    inner = [(cx, ty + d), (cx + ihalf, ibase), (cx + shaft - 1, ibase),
             (cx + shaft - 1, bottom - 1), (cx - shaft + 1, bottom - 1),
             (cx - shaft + 1, ibase), (cx - ihalf, ibase)]
    return outer, inner


def draw_arrow(size, up):
    c = Canvas(size)
    outer, inner = arrow_points(size)
    top, bottom = rgb("#6FA8FF"), rgb("#1E63D6")
    if not up:
        outer = [(x, size - y) for x, y in outer]
        inner = [(x, size - y) for x, y in inner]
        top, bottom = bottom, top
    c.paint(polygon(outer), rgb("#0D3F8F"))
    c.paint(polygon(inner), vertical_gradient(top, bottom, size / 4, size * 3 / 4))
    return c


def draw_file_open(size):
    """An open yellow folder with a sheet of paper in it."""
    c = Canvas(size)
    s = size / 16.0
    c.paint(polygon(scaled([(0, 2), (5, 2), (6, 3), (14, 3), (14, 14), (0, 14)], s)),
            rgb("#8A5F00"))
    c.paint(polygon(scaled([(1, 3), (4.6, 3), (5.6, 4), (13, 4), (13, 13), (1, 13)], s)),
            rgb("#E0B02A"))
    c.paint(rect(3 * s, 1 * s, 12 * s, 10 * s), rgb("#6E6E6E"))
    c.paint(rect(4 * s, 2 * s, 11 * s, 10 * s), rgb("#FFFFFF"))
    for y in (4, 6):
        c.paint(rect(5 * s, y * s, 10 * s, (y + 1) * s), rgb("#6F93CC"))
    c.paint(polygon(scaled([(3, 7), (16, 7), (14, 14), (0, 14)], s)), rgb("#8A5F00"))
    c.paint(polygon(scaled([(3.7, 8), (14.7, 8), (13.2, 13), (1.4, 13)], s)),
            vertical_gradient(rgb("#FFE27A"), rgb("#F2BE2C"), 8 * s, 14 * s))
    return c


def draw_label(size):
    """A white page with a folded corner and two short blue text lines."""
    c = Canvas(size)
    s = size / 16.0
    c.paint(polygon(scaled([(2, 0), (9, 0), (14, 5), (14, 16), (2, 16)], s)),
            rgb("#5A5A5A"))
    c.paint(polygon(scaled([(3, 1), (8.6, 1), (13, 5.4), (13, 15), (3, 15)], s)),
            rgb("#FFFFFF"))
    c.paint(polygon(scaled([(9, 0), (9, 5), (14, 5)], s)), rgb("#5A5A5A"))
    c.paint(polygon(scaled([(10, 2.4), (10, 4), (11.6, 4)], s)), rgb("#DADADA"))
    thick = 2 if size == 16 else 3
    for y, x1 in ((7, 11), (11, 9)):
        c.paint(rect(5 * s, y * s, x1 * s, y * s + thick), rgb("#1F5FD0"))
    return c


def draw_history(size):
    """A clipboard holding a lined sheet."""
    c = Canvas(size)
    s = size / 16.0
    c.paint(rounded_rect(1 * s, 2 * s, 15 * s, 16 * s, 1.5 * s), rgb("#6B3F12"))
    c.paint(rounded_rect(2 * s, 3 * s, 14 * s, 15 * s, 1.0 * s),
            vertical_gradient(rgb("#C98C45"), rgb("#9E6427"), 3 * s, 15 * s))
    c.paint(rect(3 * s, 4 * s, 13 * s, 14 * s), rgb("#707070"))
    c.paint(rect(4 * s, 5 * s, 12 * s, 13 * s), rgb("#FFFFFF"))
    for y in (7, 9, 11):
        c.paint(rect(5 * s, y * s, 11 * s, (y + 1) * s), rgb("#3F74CC"))
    c.paint(rounded_rect(5 * s, 0 * s, 11 * s, 5 * s, 1.2 * s), rgb("#454545"))
    c.paint(rounded_rect(6 * s, 1 * s, 10 * s, 4 * s, 0.6 * s),
            vertical_gradient(rgb("#F4F4F4"), rgb("#A8A8A8"), 1 * s, 4 * s))
    c.paint(ellipse(8 * s, 2 * s, 0.8 * s, 0.6 * s), rgb("#454545"))
    return c


ICONS = {
    "kwibra.ico": lambda size: draw_program(size),
    "kwibra-busy.ico": lambda size: draw_program(size, busy=True),
    "up-arrow.ico": lambda size: draw_arrow(size, up=True),
    "down-arrow.ico": lambda size: draw_arrow(size, up=False),
    "file-open.ico": draw_file_open,
    "label.ico": draw_label,
    "history.ico": draw_history,
}
SIZES = (16, 32)


# ---- file formats ----

def dib_image(canvas):
    """BITMAPINFOHEADER, 32-bit BGRA rows bottom-up, then the AND mask."""
    size = canvas.size
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0,
                         0, 0)
    colour = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        row_mask = bytearray(mask_stride)
        for x in range(size):
            r, g, b, a = canvas.pixels[y][x]
            colour += bytes((b, g, r, a))
            if a < 128:
                row_mask[x // 8] |= 0x80 >> (x % 8)
        mask += row_mask
    return header + bytes(colour) + bytes(mask)


def ico_file(canvases):
    images = [dib_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", canvas.size % 256, canvas.size % 256,
                           0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def png_file(width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return (struct.pack(">I", len(data)) + body
                + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def preview(drawn, path, zoom=6):
    """All icons enlarged on a checkerboard, 16x16 above 32x32, for a look."""
    names = list(drawn)
    cell = 32 * zoom + 8
    width, height = cell * len(names), cell * 2
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            shade = 235 if ((x // 8) + (y // 8)) % 2 else 200
            back = (shade, shade, shade)
            col, line = x // cell, y // cell
            canvas = drawn[names[col]][line]
            factor = zoom * 32 // canvas.size
            px, py = (x % cell) // factor, (y % cell) // factor
            if px < canvas.size and py < canvas.size:
                r, g, b, a = canvas.pixels[py][px]
                t = a / 255.0
                back = tuple(round(c * t + k * (1 - t)) for c, k in zip((r, g, b), back))
            row.append(back + (255,))
        rows.append(row)
    with open(path, "wb") as f:
        f.write(png_file(width, height, rows))


def main(argv):
    out_dir = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                           "resources", "icons")
    preview_path = None
    args = list(argv)
    if "--preview" in args:
        i = args.index("--preview")
        preview_path = args[i + 1]
        del args[i:i + 2]
    if args:
        out_dir = args[0]
    os.makedirs(out_dir, exist_ok=True)
    drawn = {}
    for name, draw in ICONS.items():
        canvases = [draw(size) for size in SIZES]
        drawn[name] = canvases
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(ico_file(canvases))
    if preview_path:
        preview(drawn, preview_path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
