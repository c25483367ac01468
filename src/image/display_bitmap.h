// A device-independent bitmap as GDI reads it: a BITMAPINFOHEADER with its
// colour table directly behind it, and a pixel buffer whose rows run
// bottom-up, each padded to a multiple of four bytes. The record is handed
// to StretchDIBits, the clipboard and the file writers unchanged.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "platform/wintypes.h"

struct DisplayBitmap {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];  // 256 entries for 8-bit, 2 for 1-bit, unused for 24-bit
    uint8_t* pixels;
    int32_t width;
    int32_t height;
    int32_t stride;  // bytes per row
};

// Row strides of the three kinds: 24-bit colour, 8-bit grey, 1-bit mask.
// 0 when the width is not positive or the row would not fit 32 bits.
int32_t colourStride(int32_t width);
int32_t greyStride(int32_t width);
int32_t maskStride(int32_t width);

// Null when the size is not positive, the buffer cannot be sized, or memory
// runs out. Every byte starts at 0, the rows' padding included, so that a
// file or the clipboard never carries stale memory.
DisplayBitmap* newColourBitmap(int32_t width, int32_t height);
DisplayBitmap* newGreyBitmap(int32_t width, int32_t height);  // colour table: grey ramp
DisplayBitmap* newMaskBitmap(int32_t width, int32_t height);  // 0 white, 1 black
void setMaskColours(DisplayBitmap* mask);                      // that table again
void freeDisplayBitmap(DisplayBitmap* bitmap);

// The header and colour table as one BITMAPINFO.
inline const void* bitmapInfo(const DisplayBitmap* bitmap)
{
    return &bitmap->header;
}

// Image row y (0 at the top) of the bitmap: rows are stored bottom-up.
inline uint8_t* bitmapRow(const DisplayBitmap* bitmap, int32_t y)
{
    return bitmap->pixels + size_t(bitmap->height - 1 - y) * size_t(bitmap->stride);
}
