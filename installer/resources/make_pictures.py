#!/usr/bin/env python3
"""Draws the installer's pictures and writes them next to this script.

page_picture.bmp: the banner at the left edge of every wizard page, a globe
    with an orbit, a drop-down menu and the word Zorbit on a night-blue
    gradient. 24-bit, sized to fill the 108 by 173 dialog-unit picture area
    of an 8-point MS Sans Serif page (1.5 by 1.625 pixels per unit).
install.ico: the program's icon, the same globe and orbit, 32x32 and 16x16
    in 32-bit colour with an AND mask.
Standard library only; the output is deterministic.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
PAGE_W, PAGE_H = 162, 281
SAMPLES = 3


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def over(base, colour, alpha):
    return mix(base, colour, alpha)


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    l2 = dx * dx + dy * dy
    t = 0.0 if l2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / l2))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


# Glyphs of the word, in a box one unit high (x-height from 0.42 to 1).
# Each stroke: ("s", ax, ay, bx, by) a segment, ("r", cx, cy, r) a ring,
# ("d", cx, cy, r) a dot, ("a", cx, cy, r, a0, a1) an arc (degrees, y down).
GLYPHS = {
    "Z": (0.60, [("s", 0.02, 0.02, 0.58, 0.02), ("s", 0.58, 0.02, 0.02, 0.98),
                 ("s", 0.02, 0.98, 0.60, 0.98)]),
    "o": (0.56, [("r", 0.28, 0.71, 0.26)]),
    "r": (0.36, [("s", 0.02, 0.45, 0.02, 0.98), ("a", 0.30, 0.74, 0.28, 180, 270)]),
    "b": (0.58, [("s", 0.02, 0.0, 0.02, 0.98), ("r", 0.30, 0.71, 0.26)]),
    "i": (0.10, [("s", 0.03, 0.45, 0.03, 0.98), ("d", 0.03, 0.24, 0.075)]),
    "t": (0.36, [("s", 0.12, 0.12, 0.12, 0.84), ("a", 0.32, 0.84, 0.20, 90, 180),
                 ("s", 0.0, 0.45, 0.32, 0.45)]),
}


def glyph_dist(ch, x, y):
    best = 1e9
    for st in GLYPHS[ch][1]:
        if st[0] == "s":
            d = seg_dist(x, y, *st[1:])
        elif st[0] == "r":
            d = abs(math.hypot(x - st[1], y - st[2]) - st[3])
        elif st[0] == "d":
            d = max(0.0, math.hypot(x - st[1], y - st[2]) - st[3] + 0.07)
        else:
            cx, cy, r, a0, a1 = st[1:]
            ang = math.degrees(math.atan2(y - cy, x - cx)) % 360
            if a0 <= ang <= a1:
                d = abs(math.hypot(x - cx, y - cy) - r)
            else:
                ends = [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a)))
                        for a in (a0, a1)]
                d = min(math.hypot(x - ex, y - ey) for ex, ey in ends)
        best = min(best, d)
    return best


def word_layout(word, height, spacing=0.16):
    xs, x = [], 0.0
    for ch in word:
        xs.append(x)
        x += GLYPHS[ch][0] + spacing
    return xs, (x - spacing) * height


def word_cover(word, xs, ox, oy, height, px, py, half_width=0.075):
    """1 where the word covers (px, py), 0 elsewhere."""
    u, v = (px - ox) / height, (py - oy) / height
    if v < -0.2 or v > 1.2:
        return 0.0
    for ch, gx in zip(word, xs):
        if gx - 0.15 <= u <= gx + GLYPHS[ch][0] + 0.15:
            if glyph_dist(ch, u - gx, v) <= half_width:
                return 1.0
    return 0.0


def globe(px, py, cx, cy, r, spin=0.35):
    """Colour and coverage of the globe at (px, py), or None outside."""
    dx, dy = (px - cx) / r, (py - cy) / r
    d2 = dx * dx + dy * dy
    if d2 > 1.0:
        return None
    nz = math.sqrt(1.0 - d2)
    light = max(0.0, -0.45 * dx - 0.55 * dy + 0.70 * nz)
    colour = mix((18, 70, 120), (90, 190, 225), light)
    lat = math.degrees(math.asin(-dy))
    lon = math.degrees(math.atan2(dx, nz)) + math.degrees(spin)
    edge = 1.0 - nz
    grid = 0.0
    for value, step in ((lat, 30.0), (lon, 30.0)):
        off = abs((value + step / 2) % step - step / 2)
        if off < 1.6 + 2.5 * edge:
            grid = max(grid, 0.55)
    colour = over(colour, (215, 240, 255), grid)
    # specular highlight, upper left
    hl = math.exp(-(((dx + 0.38) ** 2 + (dy + 0.42) ** 2) / 0.05))
    colour = over(colour, (255, 255, 255), 0.55 * hl)
    return colour


def orbit(px, py, cx, cy, a, b, tilt, width):
    """(coverage, in_front) of the orbit ring at (px, py)."""
    c, s = math.cos(tilt), math.sin(tilt)
    x, y = px - cx, py - cy
    u, v = x * c + y * s, -x * s + y * c
    k = math.hypot(u / a, v / b)
    if k == 0:
        return 0.0, False
    # distance to the ellipse, approximately, in pixels
    grad = math.hypot(u / (a * a), v / (b * b)) / k
    dist = abs(k - 1.0) / grad if grad else 1e9
    return (1.0 if dist <= width else 0.0), v > 0


WORD = "Zorbit"
WORD_H = 27.0
WORD_XS, WORD_W = word_layout(WORD, WORD_H)
WORD_X = (PAGE_W - WORD_W) / 2.0
WORD_Y = 226.0

G_CX, G_CY, G_R = 81.0, 88.0, 46.0
MENU = (40.0, 157.0, 122.0, 207.0)  # left, top, right, bottom


def menu_card(px, py):
    left, top, right, bottom = MENU
    if not (left <= px <= right and top <= py <= bottom):
        return None
    if py < top + 9:
        base = (40, 85, 160)
        # three title dots
        for i in range(3):
            if math.hypot(px - (left + 7 + 6 * i), py - (top + 4.5)) < 1.8:
                return (230, 240, 255)
        return base
    row = int((py - top - 9) // 10)
    y0 = top + 9 + row * 10
    base = (250, 250, 246)
    if row == 1:
        base = (255, 214, 102)
    line_y = y0 + 5
    length = (58, 46, 52, 40)[row % 4]
    if abs(py - line_y) <= 1.1 and left + 8 <= px <= left + 8 + length:
        return (70, 80, 100) if row != 1 else (90, 60, 0)
    return base


def page_pixel(px, py):
    t = py / PAGE_H
    colour = mix((10, 28, 74), (16, 112, 140), t)
    # soft glow behind the globe
    g = math.exp(-(((px - G_CX) ** 2 + (py - G_CY) ** 2) / (2 * 55.0 ** 2)))
    colour = over(colour, (60, 140, 200), 0.35 * g)
    # a few fixed stars
    for sx, sy, sr in ((18, 20, 0.9), (140, 14, 0.8), (130, 150, 0.7), (24, 140, 0.8),
                       (150, 60, 0.6), (12, 78, 0.6), (96, 24, 0.5), (70, 262, 0.6),
                       (144, 250, 0.7), (16, 258, 0.6)):
        if math.hypot(px - sx, py - sy) < sr:
            colour = (220, 235, 255)
    ring, front = orbit(px, py, G_CX, G_CY, 68.0, 16.0, math.radians(-18), 1.4)
    gold = (246, 196, 72)
    if ring and not front:
        colour = gold
    shade = globe(px, py, G_CX, G_CY, G_R)
    if shade is not None:
        colour = shade
    if ring and front:
        colour = gold
    # the satellite on the front of the orbit
    theta, tilt = math.radians(160), math.radians(-18)
    u, v = 68.0 * math.cos(theta), 16.0 * math.sin(theta)
    sat = (G_CX + u * math.cos(tilt) - v * math.sin(tilt), G_CY + u * math.sin(tilt) + v * math.cos(tilt))
    if math.hypot(px - sat[0], py - sat[1]) < 3.6:
        colour = (255, 236, 170)
    # drop shadow, then the menu card
    left, top, right, bottom = MENU
    if left + 3 <= px <= right + 3 and top + 3 <= py <= bottom + 3:
        colour = mix(colour, (0, 10, 30), 0.45)
    card = menu_card(px, py)
    if card is not None:
        colour = card
    if word_cover(WORD, WORD_XS, WORD_X + 1.5, WORD_Y + 1.5, WORD_H, px, py):
        colour = mix(colour, (0, 10, 30), 0.6)
    if word_cover(WORD, WORD_XS, WORD_X, WORD_Y, WORD_H, px, py):
        colour = (255, 255, 255)
    return colour


def render(width, height, pixel, samples=SAMPLES):
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            acc = [0.0, 0.0, 0.0, 0.0]
            for j in range(samples):
                for i in range(samples):
                    c = pixel(x + (i + 0.5) / samples, y + (j + 0.5) / samples)
                    if c is None:
                        continue
                    acc[0] += c[0]
                    acc[1] += c[1]
                    acc[2] += c[2]
                    acc[3] += 1
            n = samples * samples
            if acc[3]:
                row.append((acc[0] / acc[3], acc[1] / acc[3], acc[2] / acc[3], acc[3] / n))
            else:
                row.append((0, 0, 0, 0.0))
        rows.append(row)
    return rows


def to8(v):
    return max(0, min(255, int(round(v))))


def bmp_bytes(rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b, _ in row:
            line += bytes((to8(b), to8(g), to8(r)))
        line += b"\0" * (stride - len(line))
        body += line
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 3780, 3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(body), 0, 0, 14 + len(info))
    return header + info + body


def icon_pixel_fn(size):
    cx = cy = size / 2.0
    r = size * 0.34

    def pixel(px, py):
        ring, front = orbit(px, py, cx, cy, size * 0.47, size * 0.13, math.radians(-18),
                            max(0.9, size / 26.0))
        gold = (246, 196, 72)
        shade = globe(px, py, cx, cy, r)
        if ring and (front or shade is None):
            return gold
        return shade

    return pixel


def icon_dib(rows):
    size = len(rows)
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for row in reversed(rows):
        bits = 0
        line_mask = bytearray(mask_stride)
        for x, (r, g, b, a) in enumerate(row):
            xor += bytes((to8(b), to8(g), to8(r), to8(a * 255)))
            if a < 0.5:
                line_mask[x // 8] |= 0x80 >> (x % 8)
        mask += line_mask
        del bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def ico_bytes(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
        blobs.append(data)
    return out + b"".join(blobs)


def main():
    page = render(PAGE_W, PAGE_H, page_pixel)
    with open(os.path.join(HERE, "page_picture.bmp"), "wb") as f:
        f.write(bmp_bytes(page))
    images = [(s, icon_dib(render(s, s, icon_pixel_fn(s), samples=4))) for s in (32, 16)]
    with open(os.path.join(HERE, "install.ico"), "wb") as f:
        f.write(ico_bytes(images))


if __name__ == "__main__":
    main()
