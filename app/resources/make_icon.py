#!/usr/bin/env python3
"""Draws the program's icon and writes it as a Windows .ico file.

Usage: make_icon.py OUTPUT.ico

The picture is computed here, pixel by pixel, so the icon needs no image file
or image library: a deep-blue rounded tile holding a golden shield with a
downward arrow, the pack going into the game. Each size is drawn on its own
grid with 4x4 supersampling, so small sizes stay crisp rather than scaled.
The 256-pixel image is stored as PNG, as Windows reads it since Vista: as a
bitmap it would add 260 KB to the program.
"""
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 256)
SAMPLES = 4

TILE = (0x1E, 0x3A, 0x6E)
TILE_EDGE = (0x12, 0x24, 0x48)
GOLD = (0xF2, 0xC1, 0x4E)
GOLD_DARK = (0xB8, 0x86, 0x1E)
ARROW = (0xFF, 0xFF, 0xFF)


def inside_rounded_square(x, y, radius):
    """x, y in 0..1; a square with rounded corners filling the tile."""
    cx = min(max(x, radius), 1 - radius)
    cy = min(max(y, radius), 1 - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def inside_shield(x, y):
    """A heater shield: straight top, sides curving into a point."""
    if y < 0.18 or y > 0.88:
        return False
    half = 0.30 if y < 0.50 else 0.30 * (1 - ((y - 0.50) / 0.38) ** 1.6)
    return abs(x - 0.5) <= half


def inside_arrow(x, y):
    shaft = abs(x - 0.5) <= 0.06 and 0.28 <= y <= 0.56
    head = 0.54 <= y <= 0.74 and abs(x - 0.5) <= 0.17 * (0.74 - y) / 0.20
    return shaft or head


def colour_at(x, y):
    """The colour at a point of the unit square, or None outside the tile."""
    if not inside_rounded_square(x, y, 0.2):
        return None
    if inside_arrow(x, y):
        return ARROW
    if inside_shield(x, y):
        return GOLD if x <= 0.5 else GOLD_DARK
    edge = min(x, y, 1 - x, 1 - y)
    return TILE_EDGE if edge < 0.04 else TILE


def render(size):
    """Rows of (b, g, r, a), top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((px + (sx + 0.5) / SAMPLES) / size,
                                  (py + (sy + 0.5) / SAMPLES) / size)
                    if c is not None:
                        r, g, b, covered = r + c[0], g + c[1], b + c[2], covered + 1
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                alpha = covered * 255 // (SAMPLES * SAMPLES)
                row.append((b // covered, g // covered, r // covered, alpha))
        rows.append(row)
    return rows


def dib(size):
    """A 32-bit icon image: header, bottom-up BGRA pixels, then the AND mask."""
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(p for px in row for p in px) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def png(size):
    """A PNG image: 8-bit RGBA rows, each with filter type 0."""
    rows = render(size)
    raw = b"".join(b"\0" + bytes(v for b, g, r, a in row for v in (r, g, b, a)) for row in rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    images = [png(size) if size >= 256 else dib(size) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        side = 0 if size >= 256 else size  # 0 stands for 256
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(sys.argv[1], "wb") as out:
        out.write(directory + b"".join(images))


if __name__ == "__main__":
    main()
