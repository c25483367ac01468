#!/usr/bin/env python3
"""Draws the plug-in's two icons: a framed render (a lit sphere on a checker
floor under a sky) with corner marks of a safe area, on a dark rounded tile.
Writes 32-bit ICO files with alpha. Run: make_icons.py OUT_DIR"""
import math
import struct
import sys

SS = 4  # supersamples per axis


def clamp(v):
    return max(0.0, min(1.0, v))


def inside_rounded(x, y, x0, y0, x1, y1, r):
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and x0 <= x <= x1 and y0 <= y <= y1


def scene(u, v, detail):
    """Colour of the render at (u, v) in [0, 1]^2, v down."""
    horizon = 0.62
    sx, sy, sr = 0.5, 0.48, 0.27
    dx, dy = (u - sx) / sr, (v - sy) / sr
    d2 = dx * dx + dy * dy
    if d2 <= 1.0:
        nz = math.sqrt(1.0 - d2)
        lx, ly, lz = -0.5, -0.6, 0.62
        diff = clamp(dx * lx + dy * ly + nz * lz)
        rz = 2 * nz * (dx * lx + dy * ly + nz * lz) - lz
        highlight = clamp(rz) ** 24
        base = (0.95, 0.45, 0.12)
        return tuple(clamp(0.08 + c * (0.15 + 0.85 * diff) + highlight) for c in base)
    if v < horizon:
        t = v / horizon
        return (0.18 + 0.35 * t, 0.38 + 0.35 * t, 0.72 + 0.2 * t)
    # floor with the sphere's shadow
    t = (v - horizon) / (1 - horizon)
    checker = 1
    if detail:
        depth = 0.08 / max(v - horizon, 0.02)
        fx = (u - 0.5) * depth * 10
        fz = depth * 10
        checker = (int(math.floor(fx)) + int(math.floor(fz))) & 1
    g = 0.55 + 0.25 * checker if detail else 0.7
    g *= 0.75 + 0.25 * t
    shadow = ((u - 0.56) / 0.3) ** 2 + ((v - 0.8) / 0.07) ** 2
    if shadow < 1:
        g *= 0.55 + 0.45 * shadow
    return (g, g, g * 0.96)


def draw(size):
    s = size / 32.0
    tile = (0.5 * s, 0.5 * s, size - 0.5 * s, size - 0.5 * s, 5 * s)
    pic = (3 * s, 5 * s, size - 3 * s, size - 5 * s)
    px = []
    for j in range(size):
        row = []
        for i in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for a in range(SS):
                for b in range(SS):
                    x = i + (b + 0.5) / SS
                    y = j + (a + 0.5) / SS
                    if not inside_rounded(x, y, *tile):
                        continue
                    if pic[0] <= x < pic[2] and pic[1] <= y < pic[3]:
                        u = (x - pic[0]) / (pic[2] - pic[0])
                        v = (y - pic[1]) / (pic[3] - pic[1])
                        c = scene(u, v, size >= 32)
                        # corner marks of the safe area, in white
                        m = 0.1
                        w = 1.0 / (pic[2] - pic[0]) * (1.0 if size >= 32 else 1.2)
                        corner = False
                        for (cu, cv, du, dv) in ((m, m, 1, 1), (1 - m, m, -1, 1), (m, 1 - m, 1, -1), (1 - m, 1 - m, -1, -1)):
                            ou, ov = (u - cu) * du, (v - cv) * dv
                            if (0 <= ou < 0.22 and 0 <= ov < w * 1.3) or (0 <= ov < 0.22 and 0 <= ou < w * 1.3):
                                corner = True
                        if corner:
                            c = (1.0, 1.0, 1.0)
                    else:
                        t = y / size
                        c = (0.16 - 0.06 * t, 0.18 - 0.06 * t, 0.22 - 0.06 * t)
                    for k in range(3):
                        acc[k] += c[k]
                    acc[3] += 1
            n = SS * SS
            alpha = acc[3] / n
            if acc[3]:
                col = [acc[k] / acc[3] for k in range(3)]
            else:
                col = [0, 0, 0]
            row.append((col, alpha))
        px.append(row)
    return px


def ico(size, px):
    xor = bytearray()
    for j in reversed(range(size)):
        for i in range(size):
            (r, g, b), a = px[j][i]
            xor += bytes((int(b * 255 + 0.5), int(g * 255 + 0.5), int(r * 255 + 0.5), int(a * 255 + 0.5)))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for j in reversed(range(size)):
        row = bytearray(mask_stride)
        for i in range(size):
            if px[j][i][1] < 0.5:
                row[i // 8] |= 0x80 >> (i % 8)
        mask += row
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(image), 22)
    return directory + image


def main():
    out = sys.argv[1]
    for name, size in (('lgicon', 32), ('smicon', 16)):
        with open(f'{out}/{name}.ico', 'wb') as f:
            f.write(ico(size, draw(size)))


if __name__ == '__main__':
    main()
