#!/usr/bin/env python3
"""Converts a 24-bit BMP (as zrhost --screenshot writes it) to PNG, so a
screenshot can be looked at anywhere. Run: bmp2png.py IN.bmp OUT.png [ROWS]
ROWS keeps only that many rows at the bottom (the status bar, say)."""
import struct
import sys
import zlib


def main():
    data = open(sys.argv[1], 'rb').read()
    offset = struct.unpack('<I', data[10:14])[0]
    width, height = struct.unpack('<ii', data[18:26])
    bits = struct.unpack('<H', data[28:30])[0]
    if bits != 24:
        sys.exit('only 24-bit BMP files')
    stride = (width * 3 + 3) & ~3
    keep = int(sys.argv[3]) if len(sys.argv) > 3 else abs(height)
    keep = max(1, min(keep, abs(height)))
    rows = []
    for y in range(abs(height) - keep, abs(height)):
        src = height - 1 - y if height > 0 else y
        row = data[offset + src * stride: offset + src * stride + width * 3]
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = row[2::3], row[1::3], row[0::3]
        rows.append(b'\0' + bytes(rgb))

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body) & 0xffffffff)

    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, keep, 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(b''.join(rows), 9)) + chunk(b'IEND', b'')
    open(sys.argv[2], 'wb').write(png)


if __name__ == '__main__':
    main()
