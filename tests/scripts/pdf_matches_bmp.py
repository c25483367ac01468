#!/usr/bin/env python3
"""Checks that a printed page shows a picture: finds the picture on a page
rendered by pdftoppm (PPM, white around it) and compares it with the BMP
the viewer saved of the same image, sampling each image pixel at its
middle. Prints the placement and the differences; exit 1 on a mismatch.
Run: pdf_matches_bmp.py PAGE.ppm IMAGE.bmp
Run: pdf_matches_bmp.py PAGE.ppm --difference A.bmp B.bmp
compares the page with the difference view of two renders instead; the
pixels whose bytes cannot tell their floats are left out. Exit 1 as well
when the renders hardly differ, which would test nothing."""
import struct
import sys


def read_ppm(path):
    data = open(path, 'rb').read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b'P6' or fields[3] != b'255':
        sys.exit(f'{path}: not an 8-bit P6 PPM')
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:]


def read_bmp(path):
    data = open(path, 'rb').read()
    offset = struct.unpack('<I', data[10:14])[0]
    width, height = struct.unpack('<ii', data[18:26])
    if struct.unpack('<H', data[28:30])[0] != 24:
        sys.exit(f'{path}: not a 24-bit BMP')
    stride = (width * 3 + 3) & ~3

    def pixel(x, y):  # y from the top
        at = offset + (height - 1 - y) * stride + 3 * x
        return data[at + 2], data[at + 1], data[at]
    return width, height, pixel


def difference_of(a_path, b_path):
    """The difference view of two renders at default levels, |A - B| for
    each channel, within one of what the floats give; None where a channel
    of either is 255, which may stand for any value above 1."""
    aw, ah, a = read_bmp(a_path)
    bw, bh, b = read_bmp(b_path)
    if (aw, ah) != (bw, bh):
        sys.exit('the renders differ in size')

    def pixel(x, y):
        p, q = a(x, y), b(x, y)
        if max(p + q) == 255:
            return None
        return tuple(abs(u - v) for u, v in zip(p, q))
    shown = [pixel(x, y) for y in range(ah) for x in range(aw)]
    differing = sum(1 for p in shown if p and max(p) > 0)
    print(f'{differing} of {aw * ah} pixels differ')
    if differing < aw * ah // 100:
        sys.exit('the renders hardly differ: nothing to test')
    return aw, ah, pixel


def main():
    pw, ph, page = read_ppm(sys.argv[1])
    if sys.argv[2] == '--difference':
        bw, bh, image = difference_of(sys.argv[3], sys.argv[4])
    else:
        bw, bh, image = read_bmp(sys.argv[2])

    def at(x, y):
        i = 3 * (y * pw + x)
        return page[i], page[i + 1], page[i + 2]

    ink = [(x, y) for y in range(ph) for x in range(pw) if min(at(x, y)) < 250]
    if not ink:
        sys.exit('the page is blank')
    x0 = min(p[0] for p in ink)
    x1 = max(p[0] for p in ink) + 1
    y0 = min(p[1] for p in ink)
    y1 = max(p[1] for p in ink) + 1
    print(f'picture at {x0},{y0} size {x1 - x0}x{y1 - y0} on a {pw}x{ph} page')
    worst, total, counted = 0, 0, 0
    for y in range(bh):
        for x in range(bw):
            want = image(x, y)
            if want is None:
                continue
            px = x0 + int((x + 0.5) * (x1 - x0) / bw)
            py = y0 + int((y + 0.5) * (y1 - y0) / bh)
            d = max(abs(a - b) for a, b in zip(at(px, py), want))
            worst, total, counted = max(worst, d), total + d, counted + 1
    mean = total / counted
    print(f'differences: largest {worst}, mean {mean:.2f} over {counted} pixels')
    centred = abs((x0 + x1) - pw) <= 4 and abs((y0 + y1) - ph) <= 4
    if not centred:
        print('the picture is not centred on the page')
    sys.exit(0 if centred and mean <= 1.0 and worst <= 24 else 1)


if __name__ == '__main__':
    main()
