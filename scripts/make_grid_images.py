#!/usr/bin/env python3
"""Draws the grid's row-header cursor (CURSOR/434.png): a black arrow pointing right with a white
outline, its hot spot at the tip. Writes both language folders; the build does not run it."""

import os
import struct
import zlib

SIZE = 32
TIP = (26, 15)


def inside(x, y):
    # Shaft from x 6 to 17, 4 pixels high; head from x 17 to the tip.
    if 6 <= x <= 17 and 13 <= y <= 17:
        return True
    if 17 <= x <= TIP[0]:
        half = (TIP[0] - x) * 0.8
        return abs(y - TIP[1]) <= half
    return False


def pixel(x, y):
    if inside(x, y):
        return (0, 0, 0, 255)
    if any(inside(x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
        return (255, 255, 255, 255)
    return (0, 0, 0, 0)


def write_png(path, rows, text):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    for key, value in text.items():
        png += chunk(b"tEXt", key.encode() + b"\0" + value.encode())
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resource")
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    for lang in ("ENG", "JPN"):
        write_png(os.path.join(root, lang, "CURSOR", "434.png"), rows, {"hotspot": "%d,%d" % TIP})


if __name__ == "__main__":
    main()
