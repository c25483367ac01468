#include "display/reduced_bitmap.h"

#include <string.h>

static DisplayBitmap* newBitmapLike(const DisplayBitmap* source, int32_t width, int32_t height)
{
    switch (source->header.biBitCount) {
    case 24: return newColourBitmap(width, height);
    case 8: return newGreyBitmap(width, height);
    case 1: return newMaskBitmap(width, height);
    default: return nullptr;
    }
}

static void reduceRow(const uint8_t* from, uint8_t* to, int bits, int32_t x, int32_t step, int32_t width)
{
    if (bits == 24) {
        for (int32_t i = 0; i < width; i++) memcpy(to + 3 * i, from + 3 * (int64_t(x) + int64_t(i) * step), 3);
    } else if (bits == 8) {
        for (int32_t i = 0; i < width; i++) to[i] = from[x + int64_t(i) * step];
    } else {
        memset(to, 0, size_t(maskStride(width)));
        for (int32_t i = 0; i < width; i++) {
            int64_t c = x + int64_t(i) * step;
            if (from[c >> 3] & (0x80 >> (c & 7))) to[i >> 3] |= uint8_t(0x80 >> (i & 7));
        }
    }
}

static bool fits(const DisplayBitmap* source, int32_t x, int32_t y, int32_t step, int32_t width, int32_t height)
{
    return source && step >= 1 && width >= 1 && height >= 1 && x >= 0 && y >= 0 &&
           x + int64_t(width - 1) * step < source->width && y + int64_t(height - 1) * step < source->height;
}

static void fill(DisplayBitmap* reduced, const DisplayBitmap* source, int32_t x, int32_t y, int32_t step)
{
    memcpy(reduced->colours, source->colours, sizeof reduced->colours);
    for (int32_t j = 0; j < reduced->height; j++)
        reduceRow(bitmapRow(source, y + j * step), bitmapRow(reduced, j), source->header.biBitCount, x, step,
                  reduced->width);
}

DisplayBitmap* reduceBitmap(const DisplayBitmap* source, int32_t x, int32_t y, int32_t step, int32_t width,
                            int32_t height)
{
    if (!fits(source, x, y, step, width, height)) return nullptr;
    DisplayBitmap* reduced = newBitmapLike(source, width, height);
    if (reduced) fill(reduced, source, x, y, step);
    return reduced;
}

DisplayBitmap* reduceBitmapInto(DisplayBitmap** scratch, const DisplayBitmap* source, int32_t x, int32_t y,
                                int32_t step, int32_t width, int32_t height)
{
    DisplayBitmap* kept = *scratch;
    if (!fits(source, x, y, step, width, height)) {
        freeDisplayBitmap(kept);
        *scratch = nullptr;
        return nullptr;
    }
    if (!kept || kept->header.biBitCount != source->header.biBitCount || kept->width != width ||
        kept->height != height) {
        freeDisplayBitmap(kept);
        kept = newBitmapLike(source, width, height);
        *scratch = kept;
        if (!kept) return nullptr;
    }
    fill(kept, source, x, y, step);
    return kept;
}
