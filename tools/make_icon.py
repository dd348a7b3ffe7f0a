#!/usr/bin/env python3
"""Draws the program's icon file.

    make_icon.py OUTPUT.ico

The mark is the one the windows draw for themselves (a blue rounded square
holding a yellow and a green block joined by white strokes), laid out on a
16 x 16 grid and rendered, with 4 x 4 supersampling, at 16, 20, 24, 32, 40,
48, 64 and 256 pixels: the sizes Windows asks of an executable's icon. The
small sizes are stored as 32-bit DIBs, the largest as PNG. Standard library
only; the same script always writes the same bytes.
"""
import struct
import sys
import zlib

BLUE = (40, 100, 190)
BLUE_EDGE = (20, 60, 140)
YELLOW = (255, 210, 80)
GREEN = (120, 220, 120)
WHITE = (255, 255, 255)
SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
SUPER = 4


def inside_round(x, y, l, t, r, b, radius):
    if x < l or x > r or y < t or y > b:
        return False
    cx = min(max(x, l + radius), r - radius)
    cy = min(max(y, t + radius), b - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def colour_at(x, y):
    """The mark at a point of the 16 x 16 grid: an (r, g, b) or None."""
    if not inside_round(x, y, 0.5, 0.5, 15.5, 15.5, 2.5):
        return None
    if not inside_round(x, y, 1.1, 1.1, 14.9, 14.9, 2.0):
        return BLUE_EDGE
    for (l, t, r, b, fill) in ((3.5, 4, 8, 8.5, YELLOW), (8, 7.5, 12.5, 12, GREEN)):
        if l <= x <= r and t <= y <= b:
            edge = 0.45
            if x - l < edge or r - x < edge or y - t < edge or b - y < edge:
                return WHITE
            return fill
    if 8 <= x <= 11 and abs(y - 6.2) <= 0.6:
        return WHITE
    if abs(x - 5) <= 0.6 and 10 <= y <= 12.5:
        return WHITE
    return BLUE


def render(size):
    """Rows of (b, g, r, a), top row first."""
    rows = []
    n = size * SUPER
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SUPER):
                for sx in range(SUPER):
                    gx = (px * SUPER + sx + 0.5) * 16.0 / n
                    gy = (py * SUPER + sy + 0.5) * 16.0 / n
                    c = colour_at(gx, gy)
                    if c:
                        acc[0] += c[2]
                        acc[1] += c[1]
                        acc[2] += c[0]
                        acc[3] += 255
            k = SUPER * SUPER
            a = acc[3] // k
            if a == 0:
                row.append((0, 0, 0, 0))
            else:
                covered = acc[3] // 255
                row.append((acc[0] // covered, acc[1] // covered, acc[2] // covered, a))
        rows.append(row)
    return rows


def dib(size, rows):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(c for px in row for c in px) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytes(mask_stride * size)   # the alpha channel decides
    return header + pixels + mask


def png(size, rows):
    raw = b"".join(b"\0" + bytes(c for (b, g, r, a) in row for c in (r, g, b, a)) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    ihdr = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    images = []
    for size in SIZES:
        rows = render(size)
        images.append((size, png(size, rows) if size >= 256 else dib(size, rows)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
