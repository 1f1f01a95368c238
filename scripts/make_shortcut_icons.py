#!/usr/bin/env python3
"""Draws the six shortcut icons of resources/icons: a round "T" badge in blue,
yellow, green, orange, purple and red.

A parent picks one of them for a child's desktop shortcut, so that each child
finds their own colour. Each badge is a white-rimmed disc with a soft top light
and a bold, rounded white "T" with a darker edge, so the letter reads on the
light yellow as well as on the dark blue. The shapes are drawn from distance
functions (which gives clean, anti-aliased edges without any library) and
written as 128 x 128 RGBA PNG files with zlib.

Usage: scripts/make_shortcut_icons.py [output folder]   (default resources/icons)
"""

import math
import os
import struct
import sys
import zlib

SIZE = 128

# File name (the program looks for these names) and base colour.
ICONS = [
    ("Tblauw2.png", (40, 116, 226)),
    ("Tgeel2.png", (244, 196, 28)),
    ("Tgroen2.png", (58, 170, 72)),
    ("Toranje2.png", (244, 132, 28)),
    ("Tpaars2.png", (148, 78, 200)),
    ("Trood2.png", (222, 50, 50)),
]


def clamp(x, lo=0.0, hi=1.0):
    return lo if x < lo else hi if x > hi else x


def coverage(distance, softness=1.0):
    """Share of a pixel inside a shape whose signed distance is given (negative inside)."""
    return clamp(0.5 - distance / softness)


def circle(px, py, cx, cy, r):
    return math.hypot(px - cx, py - cy) - r


def rounded_box(px, py, cx, cy, hw, hh, r):
    qx = abs(px - cx) - hw + r
    qy = abs(py - cy) - hh + r
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    inside = min(max(qx, qy), 0.0)
    return outside + inside - r


def letter_t(px, py, dx=0.0, dy=0.0):
    bar = rounded_box(px, py, 64 + dx, 42 + dy, 31, 10, 9)
    stem = rounded_box(px, py, 64 + dx, 70 + dy, 10.5, 33, 9)
    return min(bar, stem)


def mix(under, over, alpha):
    """Source-over of a colour with alpha onto a premultiplied-free RGBA pixel."""
    r, g, b, a = under
    orr, og, ob = over
    out_a = alpha + a * (1 - alpha)
    if out_a <= 0:
        return (0.0, 0.0, 0.0, 0.0)
    blend = lambda u, o: (o * alpha + u * a * (1 - alpha)) / out_a
    return (blend(r, orr), blend(g, og), blend(b, ob), out_a)


def shade(colour, factor):
    """factor > 1 lightens towards white, < 1 darkens towards black."""
    if factor >= 1:
        t = factor - 1
        return tuple(c + (255 - c) * t for c in colour)
    return tuple(c * factor for c in colour)


def draw(base):
    top = shade(base, 1.35)
    edge = shade(base, 0.62)
    rows = []
    for y in range(SIZE):
        row = bytearray()
        for x in range(SIZE):
            px, py = x + 0.5, y + 0.5
            pixel = (0.0, 0.0, 0.0, 0.0)
            # Soft shadow under the badge.
            pixel = mix(pixel, (0, 0, 0), 0.28 * coverage(circle(px, py, 64, 67, 59), 7.0))
            # White rim, then the disc with light from above.
            pixel = mix(pixel, (255, 255, 255), coverage(circle(px, py, 64, 63, 60)))
            t = clamp((py - 10) / 104)
            disc = tuple(top[i] * (1 - t) + base[i] * t for i in range(3))
            pixel = mix(pixel, disc, coverage(circle(px, py, 64, 63, 54)))
            # A gloss on the upper half.
            gloss = math.hypot((px - 64) / 44, (py - 38) / 26) - 1
            pixel = mix(pixel, (255, 255, 255), 0.22 * coverage(gloss * 26, 3.0)
                        * coverage(circle(px, py, 64, 63, 54)))
            # The letter: shadow, darker edge, white face.
            pixel = mix(pixel, (0, 0, 0), 0.22 * coverage(letter_t(px, py, 2, 3), 3.0))
            pixel = mix(pixel, edge, coverage(letter_t(px, py) - 2.2))
            pixel = mix(pixel, (255, 255, 255), coverage(letter_t(px, py)))
            r, g, b, a = pixel
            row += bytes((round(r), round(g), round(b), round(a * 255)))
        rows.append(bytes(row))
    return rows


def png(rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + row for row in rows)
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources", "icons")
    os.makedirs(out, exist_ok=True)
    for name, colour in ICONS:
        with open(os.path.join(out, name), "wb") as f:
            f.write(png(draw(colour)))


if __name__ == "__main__":
    main()
