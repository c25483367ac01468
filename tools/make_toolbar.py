#!/usr/bin/env python3
"""Draws the viewer's toolbar bitmap: fifteen 16 x 15 pictures side by side,
4 bits per pixel, on the light grey (192, 192, 192) that the toolbar shows
as the button face. Run: make_toolbar.py OUT.bmp"""
import struct
import sys

# The 16-colour palette; the letters used in the pictures below.
PALETTE = [
    ('k', (0, 0, 0)), ('m', (128, 0, 0)), ('d', (0, 128, 0)), ('o', (128, 128, 0)),
    ('n', (0, 0, 128)), ('p', (128, 0, 128)), ('t', (0, 128, 128)), ('.', (192, 192, 192)),
    ('s', (128, 128, 128)), ('r', (255, 0, 0)), ('g', (0, 255, 0)), ('y', (255, 255, 0)),
    ('b', (0, 0, 255)), ('f', (255, 0, 255)), ('c', (0, 255, 255)), ('w', (255, 255, 255)),
]
INDEX = {ch: i for i, (ch, _) in enumerate(PALETTE)}

PICTURES = [
    # 0 RGB channels: a square split into red, green and blue
    """
................
.kkkkkkkkkkkkkk.
.krrrrrrrrrrrrk.
.krrrrrrrrrrrrk.
.krrrrrrrrrrrrk.
.krrrrrrrrrrrrk.
.kggggggbbbbbbk.
.kggggggbbbbbbk.
.kggggggbbbbbbk.
.kggggggbbbbbbk.
.kggggggbbbbbbk.
.kggggggbbbbbbk.
.kggggggbbbbbbk.
.kkkkkkkkkkkkkk.
................""",
    # 1 alpha: a white square
    """
................
.kkkkkkkkkkkkkk.
.kwwwwwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kkkkkkkkkkkkkk.
................""",
    # 2 red
    """
................
.kkkkkkkkkkkkkk.
.krrrrrrrrrrrrk.
.krrrrrrrrrrrrk.
.krrrrrrrrrrrrk.
.krrrrrrrrrrrrk.
.krrrrrrrrrrrrk.
.krrrrrrrrrrrrk.
.krrrrrrrrrrrrk.
.krrrrrrrrrrrrk.
.krrrrrrrrrrrrk.
.krrrrrrrrrrrrk.
.krrrrrrrrrrrrk.
.kkkkkkkkkkkkkk.
................""",
    # 3 green
    """
................
.kkkkkkkkkkkkkk.
.kggggggggggggk.
.kggggggggggggk.
.kggggggggggggk.
.kggggggggggggk.
.kggggggggggggk.
.kggggggggggggk.
.kggggggggggggk.
.kggggggggggggk.
.kggggggggggggk.
.kggggggggggggk.
.kggggggggggggk.
.kkkkkkkkkkkkkk.
................""",
    # 4 blue
    """
................
.kkkkkkkkkkkkkk.
.kbbbbbbbbbbbbk.
.kbbbbbbbbbbbbk.
.kbbbbbbbbbbbbk.
.kbbbbbbbbbbbbk.
.kbbbbbbbbbbbbk.
.kbbbbbbbbbbbbk.
.kbbbbbbbbbbbbk.
.kbbbbbbbbbbbbk.
.kbbbbbbbbbbbbk.
.kbbbbbbbbbbbbk.
.kbbbbbbbbbbbbk.
.kkkkkkkkkkkkkk.
................""",
    # 5 hot pixels: three small sparkles in red, blue and green
    """
................
...r............
...r.......b....
.rrwrr.....b....
...r.....bbwbb..
...r.......b....
...........b....
................
.......g........
.......g........
.....ggwgg......
.......g........
.......g........
................
................""",
    # 6 safe outlines: a dotted rectangle
    """
................
................
.k.k.k.k.k.k.k..
................
.k...........k..
................
.k...........k..
................
.k...........k..
................
.k...........k..
................
.k.k.k.k.k.k.k..
................
................""",
    # 7 fit to screen: a window with a left and a right arrow
    """
................
.kkkkkkkkkkkkkk.
.knnnnnnnnnnnnk.
.kkkkkkkkkkkkkk.
.kwwwwwwwwwwwwk.
.kwwkwwwwwwkwwk.
.kwkkwwwwwwkkwk.
.kkkkkkkkkkkkkk.
.kwkkwwwwwwkkwk.
.kwwkwwwwwwkwwk.
.kwwwwwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kkkkkkkkkkkkkk.
................
................""",
    # 8 notes and settings: a notepad page
    """
................
...k.k.k.k.k....
..kskskskskskk..
..kwwwwwwwwwwk..
..kwwwwwwwwwwk..
..kwnnnnnnnwwk..
..kwwwwwwwwwwk..
..kwnnnnnnnnwk..
..kwwwwwwwwwwk..
..kwnnnnnnwwwk..
..kwwwwwwwwwwk..
..kwnnnnnnnnwk..
..kwwwwwwwwwwk..
..kkkkkkkkkkkk..
................""",
    # 9 add text: a serif capital T
    """
................
..kkkkkkkkkkk...
..kk...k...kk...
..k....k....k...
.......k........
.......k........
.......k........
.......k........
.......k........
.......k........
.......k........
.......k........
.....kkkkk......
................
................""",
    # 10 undo text: a capital T under a curved arrow
    """
................
.....kkkkk......
...kk.....kk....
..k.........k...
.kkk........k...
..k.............
......kkkkkkk...
......k..k..k...
.........k......
.........k......
.........k......
.........k......
........kkk.....
................
................""",
    # 11 wipe: a picture split by a line, grey on the left, blue on the right
    """
................
.kkkkkkkkkkkkkk.
.ksssssskbbbbbk.
.ksssssskbbbbbk.
.ksssssskbbbbbk.
.kssssssrbbbbbk.
.kssssssrbbbbbk.
.kssssssrbbbbbk.
.kssssssrbbbbbk.
.kssssssrbbbbbk.
.ksssssskbbbbbk.
.ksssssskbbbbbk.
.ksssssskbbbbbk.
.kkkkkkkkkkkkkk.
................""",
    # 12 difference: two overlapping squares, the overlap lit
    """
................
.kkkkkkkkk......
.ksssssssk......
.ksssssssk......
.ksssskkkkkkkkk.
.ksssskyyykbbbk.
.ksssskyyykbbbk.
.ksssskyyykbbbk.
.kkkkkkkkkkbbbk.
......kbbbbbbbk.
......kbbbbbbbk.
......kbbbbbbbk.
......kkkkkkkkk.
................
................""",
    # 13 copy: a second sheet over the first, in full colour (the system's
    # own copy picture reads as disabled beside these)
    """
................
.kkkkkkkk.......
.kwwwwwwk.......
.kwnnnnwk.......
.kwwwwwwk.......
.kwnnkkkkkkkk...
.kwwwkwwwwwwk...
.kwnnkwnnnnwk...
.kwwwkwwwwwwk...
.kkkkkwnnnnwk...
.....kwwwwwwk...
.....kwnnnnwk...
.....kwwwwwwk...
.....kkkkkkkk...
................""",
    # 14 print: a printer with a sheet in it and a green light (the system's
    # own print picture also reads as disabled)
    """
................
....kkkkkkkk....
....kwwwwwwk....
....kwnnnnwk....
....kwwwwwwk....
.kkkkkkkkkkkkkk.
.kssssssssssssk.
.kswwwwwwwwwwsk.
.ksssssssssgssk.
.kssssssssssssk.
.kkkkkkkkkkkkkk.
..kwwwwwwwwwwk..
..kwnnnnnnnnwk..
..kkkkkkkkkkkk..
................""",
]


def main():
    width, height = 16 * len(PICTURES), 15
    grids = []
    for pic in PICTURES:
        rows = [r for r in pic.strip('\n').split('\n')]
        assert len(rows) == 15 and all(len(r) == 16 for r in rows), pic
        grids.append(rows)
    stride = ((width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            v = INDEX[grids[x // 16][y][x % 16]]
            if x % 2 == 0:
                row[x // 2] |= v << 4
            else:
                row[x // 2] |= v
        pixels += row
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for _, (r, g, b) in PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(pixels), 0, 0, 16, 16)
    offset = 14 + len(info) + len(palette)
    header = b'BM' + struct.pack('<IHHI', offset + len(pixels), 0, 0, offset)
    with open(sys.argv[1], 'wb') as f:
        f.write(header + info + palette + pixels)


if __name__ == '__main__':
    main()
