#!/usr/bin/env python3
"""Writes the smallest i386 Linux program: exit(42). Used to ask the kernel
whether it runs 32-bit programs at all."""
import struct
import sys

code = bytes([0xB8, 1, 0, 0, 0, 0xBB, 42, 0, 0, 0, 0xCD, 0x80])  # mov eax,1; mov ebx,42; int 0x80
base = 0x08048000
entry = base + 52 + 32
ehdr = b'\x7fELF' + bytes([1, 1, 1, 0]) + bytes(8)
ehdr += struct.pack('<HHIIIIIHHHHHH', 2, 3, 1, entry, 52, 0, 0, 52, 32, 1, 0, 0, 0)
size = 52 + 32 + len(code)
phdr = struct.pack('<IIIIIIII', 1, 0, base, base, size, size, 5, 0x1000)
with open(sys.argv[1], 'wb') as f:
    f.write(ehdr + phdr + code)
