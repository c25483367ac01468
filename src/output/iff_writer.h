// The IFF writer: an 8-bit display bitmap (24-bit blue, green, red, or one
// byte a pixel) as an ILBM file of 24 or 8 bit planes, ByteRun1-compressed,
// with no colour map. Rows are taken bottom-up, as the bitmaps store them,
// and written top row first.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "output/byte_sink.h"

// ByteRun1 of one plane row; returns the bytes written to dst, which needs
// room for count + count / 128 + 1 bytes.
size_t packByteRun1(const uint8_t* src, uint8_t* dst, size_t count);

// Eight pixel bytes to one byte in each of eight plane rows planeStride
// apart, plane 0 the least significant bit, the first pixel in bit 7.
void splitPlanes(const uint8_t pixels[8], uint8_t* dst, size_t planeStride);

// Bytes of a plane row: the width rounded up to 16 pixels, 8 to a byte.
int32_t planeRowBytes(int32_t width);

// progress, when given, is called with the row count to start and with 0
// after each row. Sizes beyond 65535 do not fit the header and fail.
int writeIffTo(ByteSink* sink, const uint8_t* rows, int32_t width, int32_t height, int32_t stride,
               int bytesPerPixel, void (*progress)(int n));

// 1 on success; on failure no partial file is left, and a file it was to
// replace stays as it was.
int writeIff(const char* path, const FileReplacer* files, const uint8_t* rows, int32_t width, int32_t height,
             int32_t stride, int bytesPerPixel, void (*progress)(int n));
