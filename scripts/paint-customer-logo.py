#!/usr/bin/env python3
"""Paints the demo station's customer logo, examples/station/customer-logo.png.

The sample ATE.INI names the picture; this script is how it was made (run it
again after changing the drawing and commit the result). Standard library
only: each pixel is sampled 4 x 4 times for smooth edges and the PNG is
written by hand.
"""
import math
import struct
import sys
import zlib

SIZE = 160
SAMPLES = 4

BACKGROUND = (15, 23, 42)  # deep slate
RING = (226, 232, 240)  # light slate
BOLT = (245, 158, 11)  # amber

# A lightning bolt, the fictitious customer's sign for power supplies.
BOLT_POINTS = [(92, 22), (46, 88), (76, 88), (62, 138), (114, 66), (84, 66), (100, 22)]


def inside_rounded_square(x, y, margin=6, radius=28):
    left, top, right, bottom = margin, margin, SIZE - margin, SIZE - margin
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius**2


def inside_ring(x, y, radius=62, width=7):
    distance = math.hypot(x - SIZE / 2, y - SIZE / 2)
    return radius - width <= distance <= radius


def inside_polygon(x, y, points):
    inside = False
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def colour_at(x, y):
    """The colour and coverage (0 or 1) of one sample point."""
    if inside_polygon(x, y, BOLT_POINTS):
        return BOLT, 1
    if inside_ring(x, y):
        return RING, 1
    if inside_rounded_square(x, y):
        return BACKGROUND, 1
    return (0, 0, 0), 0


def pixel(px, py):
    red = green = blue = alpha = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            (r, g, b), a = colour_at(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
            red, green, blue, alpha = red + r * a, green + g * a, blue + b * a, alpha + a
    if alpha == 0:
        return bytes(4)
    return bytes((red // alpha, green // alpha, blue // alpha, 255 * alpha // SAMPLES**2))


def png(width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\x00" + row for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else "examples/station/customer-logo.png"
    rows = [b"".join(pixel(x, y) for x in range(SIZE)) for y in range(SIZE)]
    with open(target, "wb") as out:
        out.write(png(SIZE, SIZE, rows))


if __name__ == "__main__":
    main()
