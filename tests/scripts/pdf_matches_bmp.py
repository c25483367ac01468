#!/usr/bin/env python3
"""Checks that a printed page shows a picture: finds the picture on a page
rendered by pdftoppm (PPM, white around it) and compares it with the BMP
the viewer saved of the same image, sampling each image pixel at its
middle. Prints the placement and the differences; exit 1 on a mismatch.
Run: pdf_matches_bmp.py PAGE.ppm IMAGE.bmp
With --difference A.bmp B.bmp OUT.bmp it writes instead the picture the
difference view shows of two renders at default levels, |A - B| for each
channel (within one of what the floats give), to compare a page with.
Exit 1 when the renders do not differ, which would test nothing."""
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


def write_difference(a_path, b_path, out_path):
    aw, ah, a = read_bmp(a_path)
    bw, bh, b = read_bmp(b_path)
    if (aw, ah) != (bw, bh):
        sys.exit('the renders differ in size')
    stride = (aw * 3 + 3) & ~3
    rows, differing = [], 0
    for y in reversed(range(ah)):  # bottom-up
        row = bytearray()
        for x in range(aw):
            d = [abs(p - q) for p, q in zip(a(x, y), b(x, y))]
            differing += max(d) > 0
            row += bytes((d[2], d[1], d[0]))
        rows.append(bytes(row) + bytes(stride - len(row)))
    pixels = b''.join(rows)
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, aw, ah, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    open(out_path, 'wb').write(header + info + pixels)
    print(f'{differing} of {aw * ah} pixels differ')
    sys.exit(0 if differing > aw * ah // 100 else 1)


def main():
    if sys.argv[1] == '--difference':
        write_difference(*sys.argv[2:5])
    pw, ph, page = read_ppm(sys.argv[1])
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
    worst, total = 0, 0
    for y in range(bh):
        for x in range(bw):
            px = x0 + int((x + 0.5) * (x1 - x0) / bw)
            py = y0 + int((y + 0.5) * (y1 - y0) / bh)
            d = max(abs(a - b) for a, b in zip(at(px, py), image(x, y)))
            worst, total = max(worst, d), total + d
    mean = total / (bw * bh)
    print(f'differences: largest {worst}, mean {mean:.2f}')
    centred = abs((x0 + x1) - pw) <= 4 and abs((y0 + y1) - ph) <= 4
    if not centred:
        print('the picture is not centred on the page')
    sys.exit(0 if centred and mean <= 1.0 and worst <= 24 else 1)


if __name__ == '__main__':
    main()
