#!/usr/bin/env python3
"""Draws the product's three shortcut icons: a round badge with a white Z.

redicon.ico (the browser shortcuts), pinkicon.ico (the editor) and
greenicon.ico (the uninstaller); each holds a 32x32 and a 16x16 image in
32-bit colour with an AND mask. Run it from anywhere; it writes next to itself.
"""
import math
import os
import struct

COLOURS = {
    "redicon.ico": ((214, 48, 49), (150, 20, 24)),
    "pinkicon.ico": ((232, 105, 170), (170, 50, 115)),
    "greenicon.ico": ((46, 160, 67), (20, 100, 38)),
}


def z_mask(x, y, size):
    """True where the letter Z covers the pixel centre (x, y)."""
    m = size * 0.28
    top, bottom = size * 0.30, size * 0.70
    bar = max(1.5, size * 0.085)
    if not (m <= x <= size - m):
        return False
    if top <= y <= top + bar or bottom - bar <= y <= bottom:
        return True
    if top + bar < y < bottom - bar:
        # diagonal from top right to bottom left
        t = (y - top) / (bottom - top)
        cx = (size - m) - t * (size - 2 * m)
        return abs(x - cx) <= bar * 0.9
    return False


def image(size, light, dark):
    rows = []
    r = size / 2 - 0.5
    for py in range(size):
        row = []
        for px in range(size):
            x, y = px + 0.5, py + 0.5
            d = math.hypot(x - size / 2, y - size / 2)
            if d > r:
                row.append((0, 0, 0, 0))
                continue
            if d > r - max(1.0, size / 16):
                c = dark
            else:
                # light from the upper left
                k = 0.75 + 0.25 * (1 - (x + y) / (2 * size))
                c = tuple(min(255, int(v * k + 40 * (1 - k))) for v in light)
            if z_mask(x, y, size):
                c = (255, 255, 255)
            row.append((c[0], c[1], c[2], 255))
        rows.append(row)
    return rows


def dib(rows):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(
        bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(rows):
        bits = 0
        line = bytearray(mask_stride)
        for i, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[i // 8] |= 0x80 >> (i % 8)
        mask += bytes(line)
    return header + pixels + mask


def ico(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for rows in images:
        data = dib(rows)
        size = len(rows)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
        blobs.append(data)
    return out + b"".join(blobs)


def main():
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "icons")
    for name, (light, dark) in COLOURS.items():
        with open(os.path.join(here, name), "wb") as f:
            f.write(ico([image(32, light, dark), image(16, light, dark)]))


if __name__ == "__main__":
    main()
