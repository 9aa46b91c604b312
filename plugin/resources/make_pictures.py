#!/usr/bin/env python3
"""Writes the menu-bar pictures of the plug-in as 16-colour BMP files.

collection_face.bmp (33 x 23): the face of the collection popup: a raised
double bar at the left, the initials ZB and a drop-down triangle under them.
divider.bmp (3 x 22): an etched vertical line that separates the plug-in's
menus from the browser's own.

Both use the standard menu grey as background so that they blend into the
menu bar. Run from any directory; the files are written next to this script.
"""
import os
import struct

# The standard 16-colour palette (RGB).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, SILVER, GREY, WHITE = 0, 4, 7, 8, 15


def bmp_bytes(pixels):
    """A BITMAPINFOHEADER bitmap, 4 bits per pixel, rows stored bottom-up."""
    height = len(pixels)
    width = len(pixels[0])
    stride = ((width * 4 + 31) // 32) * 4
    rows = []
    for row in reversed(pixels):
        packed = bytearray()
        for x in range(0, width, 2):
            hi = row[x]
            lo = row[x + 1] if x + 1 < width else 0
            packed.append((hi << 4) | lo)
        packed.extend(b"\0" * (stride - len(packed)))
        rows.append(bytes(packed))
    image = b"".join(rows)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(image),
                       2835, 2835, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    return header + info + palette + image


def paint(pixels, left, top, pattern, colour):
    for dy, line in enumerate(pattern):
        for dx, ch in enumerate(line):
            if ch == "X":
                pixels[top + dy][left + dx] = colour


LETTER_Z = [
    "XXXXXXX",
    "XXXXXXX",
    ".....XX",
    "....XX.",
    "...XX..",
    "..XX...",
    ".XX....",
    "XXXXXXX",
    "XXXXXXX",
]
LETTER_B = [
    "XXXXXX.",
    "XX...XX",
    "XX...XX",
    "XX...XX",
    "XXXXXX.",
    "XX...XX",
    "XX...XX",
    "XX...XX",
    "XXXXXX.",
]
TRIANGLE = [
    "XXXXXXXX",
    ".XXXXXX.",
    "..XXXX..",
    "...XX...",
]


def raised_bar(pixels, left, top, bottom):
    """A three-pixel-wide gripper bar: light from the top left, shadow at
    the bottom right."""
    for y in range(top, bottom + 1):
        pixels[y][left] = WHITE
        pixels[y][left + 1] = SILVER
        pixels[y][left + 2] = GREY
    pixels[top][left + 1] = WHITE
    pixels[bottom][left] = GREY
    pixels[bottom][left + 1] = GREY


def collection_face():
    width, height = 33, 23
    pixels = [[SILVER] * width for _ in range(height)]
    raised_bar(pixels, 2, 2, 20)
    raised_bar(pixels, 5, 2, 20)
    paint(pixels, 12, 4, LETTER_Z, NAVY)
    paint(pixels, 21, 4, LETTER_B, NAVY)
    paint(pixels, 16, 15, TRIANGLE, BLACK)
    return pixels


def divider():
    return [[GREY, WHITE, SILVER] for _ in range(22)]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, pixels in (("collection_face.bmp", collection_face()),
                         ("divider.bmp", divider())):
        with open(os.path.join(here, name), "wb") as out:
            out.write(bmp_bytes(pixels))


if __name__ == "__main__":
    main()
