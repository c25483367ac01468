#!/usr/bin/env python3
"""Draws the about box's picture zrabout1: the icons' render (a lit sphere
on a checker floor under a sky) seen through a viewer, with the title-safe
corners and a ruler of grey steps along the bottom, as an artist checks a
frame. 160 x 144 pixels, 8 bits with a 256-colour table (a 6 x 6 x 6 cube
and 40 greys), ordered dithering. Run: make_about.py OUT.bmp"""
import struct
import sys

from make_icons import scene

W, H = 160, 144
SS = 3
BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def palette():
    cube = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    greys = [(v, v, v) for v in (round(i * 255 / 39) for i in range(40))]
    return cube + greys


def colour(x, y):
    """The picture at (x, y), colour components 0 to 1."""
    frame = (8, 8, W - 8, H - 24)
    if not (frame[0] <= x < frame[2] and frame[1] <= y < frame[3]):
        if y >= H - 18 and 8 <= x < W - 8:  # grey steps, black to white
            step = int((x - 8) / ((W - 16) / 8))
            return ((step + 1) / 8,) * 3
        return (0.0, 0.0, 0.0)
    u = (x - frame[0]) / (frame[2] - frame[0])
    v = (y - frame[1]) / (frame[3] - frame[1])
    for cu, cv, du, dv in ((0.1, 0.1, 1, 1), (0.9, 0.1, -1, 1), (0.1, 0.9, 1, -1), (0.9, 0.9, -1, -1)):
        ou, ov = (u - cu) * du, (v - cv) * dv
        if (0 <= ou < 0.12 and 0 <= ov < 0.012) or (0 <= ov < 0.12 and 0 <= ou < 0.008):
            return (1.0, 1.0, 1.0)
    aspect = (frame[2] - frame[0]) / (frame[3] - frame[1])
    return scene(0.5 + (u - 0.5) * aspect, v, True)  # a round sphere in the wide frame


def index(rgb, x, y):
    r, g, b = rgb
    if abs(r - g) < 0.02 and abs(g - b) < 0.03:
        t = (BAYER[y % 4][x % 4] + 0.5) / 16 - 0.5
        return 216 + max(0, min(39, int(r * 39 + 0.5 + t)))
    t = (BAYER[y % 4][x % 4] + 0.5) / 16
    q = [max(0, min(5, int(c * 5 + t))) for c in rgb]
    return q[0] * 36 + q[1] * 6 + q[2]


def main():
    pal = palette()
    rows = []
    for y in range(H):
        row = bytearray()
        for x in range(W):
            acc = [0.0, 0.0, 0.0]
            for a in range(SS):
                for b in range(SS):
                    c = colour(x + (b + 0.5) / SS, y + (a + 0.5) / SS)
                    for k in range(3):
                        acc[k] += c[k]
            row.append(index([v / (SS * SS) for v in acc], x, y))
        rows.append(bytes(row))
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in pal)
    table += b'\0' * (1024 - len(table))
    pixels = b''.join(reversed(rows))  # bottom row first; 160 is a multiple of 4
    info = struct.pack('<IiiHHIIiiII', 40, W, H, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(table)
    with open(sys.argv[1], 'wb') as f:
        f.write(struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset) + info + table + pixels)


if __name__ == '__main__':
    main()
