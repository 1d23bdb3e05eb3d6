#!/usr/bin/env python3
"""Draws every picture of the project and writes the demo update package.

Run from anywhere: python3 tools/make-pictures.py
Writes the forms' pictures into forms/pictures/ and the demo site's icons,
banners and update package into site/www/. Only the standard library is used:
PNG files are written with zlib, animated GIFs with the LZW coder below. The
results are committed, so the build never runs this script.
"""

import colorsys
import math
import struct
import zipfile
import zlib
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
FORM_PICTURES = ROOT / "forms" / "pictures"
SITE = ROOT / "site" / "www"


# ---------------------------------------------------------------- canvas

class Canvas:
    """RGBA pixels with alpha blending of shapes given as inside-tests."""

    def __init__(self, width, height, colour=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.pixels = [list(colour) for _ in range(width * height)]

    def blend(self, x, y, colour, coverage):
        r, g, b, a = colour
        alpha = a / 255.0 * coverage
        if alpha <= 0:
            return
        p = self.pixels[y * self.width + x]
        base = p[3] / 255.0
        out = alpha + base * (1 - alpha)
        for i, c in enumerate((r, g, b)):
            p[i] = round((c * alpha + p[i] * base * (1 - alpha)) / out)
        p[3] = round(out * 255)

    def vertical_gradient(self, top, bottom):
        for y in range(self.height):
            t = y / max(1, self.height - 1)
            colour = [round(a + (b - a) * t) for a, b in zip(top, bottom)] + [255]
            for x in range(self.width):
                self.pixels[y * self.width + x] = list(colour)

    def horizontal_gradient(self, left, right):
        for x in range(self.width):
            t = x / max(1, self.width - 1)
            colour = [round(a + (b - a) * t) for a, b in zip(left, right)] + [255]
            for y in range(self.height):
                self.pixels[y * self.width + x] = list(colour)

    def fill(self, inside, colour, box=None, samples=3):
        """Paints where inside(x, y) holds, anti-aliased by supersampling."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(self.width, int(math.ceil(x1))), min(self.height, int(math.ceil(y1)))
        offsets = [(i + 0.5) / samples for i in range(samples)]
        total = samples * samples
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = sum(1 for dy in offsets for dx in offsets if inside(x + dx, y + dy))
                if hits:
                    self.blend(x, y, colour, hits / total)

    def soft_circle(self, cx, cy, radius, colour):
        """A disc whose edge fades over two pixels; cheap enough for big pictures."""
        for y in range(max(0, int(cy - radius - 2)), min(self.height, int(cy + radius + 2))):
            for x in range(max(0, int(cx - radius - 2)), min(self.width, int(cx + radius + 2))):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                coverage = min(1.0, max(0.0, (radius - d) / 2 + 0.5))
                if coverage:
                    self.blend(x, y, colour, coverage)

    def rgb_rows(self):
        for y in range(self.height):
            row = self.pixels[y * self.width:(y + 1) * self.width]
            yield bytes(c for p in row for c in p[:3])

    def rgba_rows(self):
        for y in range(self.height):
            row = self.pixels[y * self.width:(y + 1) * self.width]
            yield bytes(c for p in row for c in p)


# ---------------------------------------------------------------- shapes

def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_outer, r_inner):
    return lambda x, y: r_inner * r_inner <= (x - cx) ** 2 + (y - cy) ** 2 <= r_outer * r_outer


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
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
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                result = not result
        return result
    return inside


def star(cx, cy, r_outer, r_inner, tips=5):
    points = []
    for i in range(tips * 2):
        r = r_outer if i % 2 == 0 else r_inner
        a = math.pi * i / tips - math.pi / 2
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return polygon(points)


def regular(cx, cy, r, sides, turn=0.0):
    return polygon([(cx + r * math.cos(2 * math.pi * i / sides + turn - math.pi / 2),
                     cy + r * math.sin(2 * math.pi * i / sides + turn - math.pi / 2)) for i in range(sides)])


def plus(cx, cy, r, t):
    return lambda x, y: (abs(x - cx) <= t and abs(y - cy) <= r) or (abs(y - cy) <= t and abs(x - cx) <= r)


def cross(cx, cy, r, t):
    def inside(x, y):
        u, v = (x - cx + y - cy) / math.sqrt(2), (x - cx - y + cy) / math.sqrt(2)
        return (abs(u) <= t and abs(v) <= r) or (abs(v) <= t and abs(u) <= r)
    return inside


def bounding(points, margin=1):
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return (min(xs) - margin, min(ys) - margin, max(xs) + margin, max(ys) + margin)


# ---------------------------------------------------------------- files

def png_bytes(width, height, rows, channels):
    """PNG with a per-row filter chosen among None, Sub and Up."""
    colour_type = 2 if channels == 3 else 6
    raw = bytearray()
    previous = bytes(width * channels)
    for row in rows:
        sub = bytes((row[i] - (row[i - channels] if i >= channels else 0)) & 0xFF for i in range(len(row)))
        up = bytes((row[i] - previous[i]) & 0xFF for i in range(len(row)))
        candidates = [(0, row), (1, sub), (2, up)]
        kind, data = min(candidates, key=lambda c: sum(b if b < 128 else 256 - b for b in c[1]))
        raw.append(kind)
        raw += data
        previous = row

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            chunk(b"IEND", b""))


def write_png(path, canvas, alpha=False):
    path.parent.mkdir(parents=True, exist_ok=True)
    rows = canvas.rgba_rows() if alpha else canvas.rgb_rows()
    path.write_bytes(png_bytes(canvas.width, canvas.height, rows, 4 if alpha else 3))


def lzw_encode(indices, min_code_size):
    """GIF flavour of LZW: variable code width up to 12 bits, LSB first."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out = bytearray()
    bit_buffer = bit_count = 0

    def emit(code, width):
        nonlocal bit_buffer, bit_count
        bit_buffer |= code << bit_count
        bit_count += width
        while bit_count >= 8:
            out.append(bit_buffer & 0xFF)
            bit_buffer >>= 8
            bit_count -= 8

    def reset():
        return {}, end + 1, min_code_size + 1

    table, next_code, width = reset()
    emit(clear, width)
    prefix = indices[0]
    for k in indices[1:]:
        key = (prefix, k)
        if key in table:
            prefix = table[key]
            continue
        emit(prefix, width)
        if next_code < 4096:
            table[key] = next_code
            if next_code == (1 << width) and width < 12:
                width += 1
            next_code += 1
        else:
            emit(clear, width)
            table, next_code, width = reset()
        prefix = k
    emit(prefix, width)
    emit(end, width)
    if bit_count:
        out.append(bit_buffer & 0xFF)
    return bytes(out)


def write_gif(path, width, height, palette, frames, delay_cs, transparent_index=None):
    """An endlessly looping animated GIF; every frame covers the whole picture."""
    size_bits = max(1, math.ceil(math.log2(len(palette))))
    palette = list(palette) + [(0, 0, 0)] * ((1 << size_bits) - len(palette))
    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", width, height, 0x80 | 0x70 | (size_bits - 1), 0, 0)
    for colour in palette:
        data += bytes(colour)
    data += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    min_code_size = max(2, size_bits)
    for frame in frames:
        flags = (2 << 2) | (1 if transparent_index is not None else 0)  # restore to background
        data += struct.pack("<BBBBHBB", 0x21, 0xF9, 4, flags, delay_cs, transparent_index or 0, 0)
        data += struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
        data.append(min_code_size)
        coded = lzw_encode(frame, min_code_size)
        for i in range(0, len(coded), 255):
            block = coded[i:i + 255]
            data.append(len(block))
            data += block
        data.append(0)
    data.append(0x3B)
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(bytes(data))


# ---------------------------------------------------------------- the project's own pictures

def draw_logo(size):
    """The box logo: a wooden crate seen from above a corner, on a rounded tile."""
    c = Canvas(size, size)
    s = size / 100.0
    c.fill(rounded_rect(2 * s, 2 * s, 98 * s, 98 * s, 18 * s), (255, 255, 255, 235))
    c.fill(rounded_rect(6 * s, 6 * s, 94 * s, 94 * s, 15 * s), (36, 110, 196, 255))
    top = [(50 * s, 18 * s), (80 * s, 33 * s), (50 * s, 48 * s), (20 * s, 33 * s)]
    left = [(20 * s, 33 * s), (50 * s, 48 * s), (50 * s, 84 * s), (20 * s, 69 * s)]
    right = [(50 * s, 48 * s), (80 * s, 33 * s), (80 * s, 69 * s), (50 * s, 84 * s)]
    c.fill(polygon(top), (250, 214, 140, 255), bounding(top))
    c.fill(polygon(left), (214, 150, 72, 255), bounding(left))
    c.fill(polygon(right), (176, 112, 48, 255), bounding(right))
    # two slats across the front faces
    for v in (52, 66):
        band_l = [(20 * s, (v - 14) * s), (50 * s, (v + 1) * s), (50 * s, (v + 4) * s), (20 * s, (v - 11) * s)]
        band_r = [(50 * s, (v + 1) * s), (80 * s, (v - 14) * s), (80 * s, (v - 11) * s), (50 * s, (v + 4) * s)]
        c.fill(polygon(band_l), (150, 94, 40, 255), bounding(band_l))
        c.fill(polygon(band_r), (130, 80, 32, 255), bounding(band_r))
    return c


def draw_backdrop(width, height, top, bottom, circles):
    c = Canvas(width, height)
    c.vertical_gradient(top, bottom)
    for cx, cy, r, colour in circles:
        c.soft_circle(cx * width, cy * height, r * height, colour)
    return c


def spinner_frames(size, count, dots, centre, radius, dot_radius, shades):
    """Frames of a ring of dots around (centre) with a bright head turning clockwise.

    Pixel indices: 0 transparent, 1 … len(shades) from dim to bright."""
    frames = []
    for f in range(count):
        head = f / count * dots
        pixels = bytearray(size * size)
        for d in range(dots):
            behind = (head - d) % dots
            shade = max(1, len(shades) - int(behind * len(shades) / dots))
            a = 2 * math.pi * d / dots - math.pi / 2
            cx, cy = centre[0] + radius * math.cos(a), centre[1] + radius * math.sin(a)
            r = dot_radius * (0.6 + 0.4 * shade / len(shades))
            for y in range(int(cy - r - 1), int(cy + r + 2)):
                for x in range(int(cx - r - 1), int(cx + r + 2)):
                    if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                        pixels[y * size + x] = shade
        frames.append(pixels)
    return frames


def make_form_pictures():
    write_png(FORM_PICTURES / "splash_background.png", draw_backdrop(
        959, 520, (22, 58, 120), (40, 140, 190),
        [(0.12, 0.2, 0.35, (255, 255, 255, 18)), (0.85, 0.85, 0.5, (255, 255, 255, 14)),
         (0.5, 1.1, 0.45, (255, 255, 255, 20)), (0.92, 0.1, 0.18, (255, 255, 255, 24))]))
    write_png(FORM_PICTURES / "splash_logo.png", draw_logo(111), alpha=True)
    write_png(FORM_PICTURES / "main_logo.png", draw_logo(90), alpha=True)
    write_png(FORM_PICTURES / "updater_logo.png", draw_logo(100), alpha=True)
    write_png(FORM_PICTURES / "main_left_pane.png", draw_backdrop(
        180, 592, (28, 72, 140), (46, 128, 190),
        [(0.1, 0.85, 0.12, (255, 255, 255, 18)), (0.95, 0.6, 0.08, (255, 255, 255, 14))]))
    header = Canvas(696, 136)
    header.horizontal_gradient((22, 58, 120), (40, 140, 190))
    for cx, cy, r in [(560, 30, 70), (660, 120, 50), (300, 150, 60)]:
        header.soft_circle(cx, cy, r, (255, 255, 255, 20))
    write_png(FORM_PICTURES / "updater_header.png", header)

    # The splash's animation lies over its caption and button: the ring keeps to
    # the place of the logo it replaces, above them.
    pale = [(120 + 27 * i, 150 + 21 * i, 190 + 13 * i) for i in range(6)]
    write_gif(FORM_PICTURES / "splash_connecting.gif", 200, 200, [(0, 0, 0)] + pale,
              spinner_frames(200, 51, 12, (100, 44), 36, 7, pale), 4, transparent_index=0)
    blue = [(190 - 30 * i, 205 - 25 * i, 240 - 8 * i) for i in range(6)]
    write_gif(FORM_PICTURES / "main_loading.gif", 200, 200, [(255, 255, 255)] + blue,
              spinner_frames(200, 12, 12, (100, 100), 56, 9, blue), 8, transparent_index=0)


def make_icons():
    motifs = [
        disc(32, 32, 16), regular(32, 34, 19, 3), rounded_rect(17, 17, 47, 47, 3), regular(32, 32, 18, 4),
        star(32, 33, 19, 8), ring(32, 32, 18, 10), plus(32, 32, 17, 5), cross(32, 32, 19, 5),
        regular(32, 32, 18, 6), regular(32, 32, 18, 5),
    ]
    for i in range(20):
        hue = (i * 7 % 20) / 20.0
        r, g, b = (round(v * 255) for v in colorsys.hsv_to_rgb(hue, 0.65, 0.85))
        c = Canvas(64, 64)
        c.fill(rounded_rect(2, 2, 62, 62, 12), (r, g, b, 255))
        c.fill(motifs[i % len(motifs)], (255, 255, 255, 255) if i < 10 else (40, 40, 60, 230))
        write_png(SITE / "icons" / ("icon%02d.png" % (i + 1)), c, alpha=True)


def make_banners():
    palettes = [((30, 90, 170), (80, 170, 230)), ((180, 60, 60), (240, 150, 80)), ((40, 140, 90), (150, 210, 120)),
                ((110, 60, 160), (220, 120, 200)), ((60, 60, 70), (140, 150, 170)), ((210, 150, 20), (250, 220, 90))]
    for n, (left, right) in enumerate(palettes, start=1):
        c = Canvas(520, 88)
        c.horizontal_gradient(left, right)
        light = (255, 255, 255, 90)
        if n == 1:    # bubbles
            for k in range(9):
                c.soft_circle(40 + k * 55, 44 + 22 * math.sin(k), 10 + (k * 7) % 18, light)
        elif n == 2:  # diagonal stripes
            c.fill(lambda x, y: int((x + y) / 26) % 2 == 0, (255, 255, 255, 50), samples=2)
        elif n == 3:  # rolling hills
            c.fill(lambda x, y: y > 55 + 14 * math.sin(x / 40.0), (255, 255, 255, 80), samples=2)
            c.fill(lambda x, y: y > 68 + 10 * math.sin(x / 23.0 + 1), (20, 80, 40, 90), samples=2)
        elif n == 4:  # stars
            for k in range(7):
                cx = 50 + k * 70
                c.fill(star(cx, 44, 22, 9), light, (cx - 24, 20, cx + 24, 68))
        elif n == 5:  # grid of dots
            for gx in range(14):
                for gy in range(3):
                    c.soft_circle(30 + gx * 36, 20 + gy * 24, 5, light)
        else:         # hexagons
            for k in range(8):
                cx = 40 + k * 62
                c.fill(regular(cx, 44, 26, 6, math.pi / 6), light, (cx - 28, 14, cx + 28, 74))
        c.fill(rounded_rect(380, 24, 500, 64, 20), (255, 255, 255, 200), (378, 22, 502, 66))
        c.fill(regular(440, 44, 12, 3, math.pi / 2), right + (255,), (426, 30, 456, 58))
        write_png(SITE / "banners" / ("banner%d.png" % n), c)


def make_update_package():
    path = SITE / "update" / "qimubox-v1.1.zip"
    path.parent.mkdir(parents=True, exist_ok=True)
    readme = ("qimubox v1.1\r\n\r\nThis is the demo update package of the software box.\r\n"
              "Unpack it and run the new version.\r\n")
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        info = zipfile.ZipInfo("readme.txt", date_time=(2026, 6, 6, 12, 0, 0))
        info.compress_type = zipfile.ZIP_DEFLATED
        archive.writestr(info, readme)


if __name__ == "__main__":
    make_form_pictures()
    make_icons()
    make_banners()
    make_update_package()
