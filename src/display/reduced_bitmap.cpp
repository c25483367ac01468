#include "display/reduced_bitmap.h"

#include <stdlib.h>
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

static bool maskBit(const uint8_t* row, int64_t c)
{
    return row[c >> 3] & (0x80 >> (c & 7));
}

static void setMaskBit(uint8_t* row, int64_t i)
{
    row[i >> 3] |= uint8_t(0x80 >> (i & 7));
}

// One axis of a group: source pixels first .. end-1, cut at the edge.
struct Span {
    int64_t first, end;
};

static Span groupSpan(int64_t first, int32_t step, int32_t size)
{
    int64_t end = first + step;
    return {first, end < size ? end : size};
}

static void pickRow(const uint8_t* from, uint8_t* to, int bits, int32_t x, int32_t step, int32_t width)
{
    if (bits == 24) {
        for (int32_t i = 0; i < width; i++) memcpy(to + 3 * i, from + 3 * (int64_t(x) + int64_t(i) * step), 3);
    } else if (bits == 8) {
        for (int32_t i = 0; i < width; i++) to[i] = from[x + int64_t(i) * step];
    } else {
        for (int32_t i = 0; i < width; i++)
            if (maskBit(from, x + int64_t(i) * step)) setMaskBit(to, i);
    }
}

// Mask bytes first .. end-1 ANDed over the group's rows: a bit is clear
// where any row of the group has it clear.
static void andRows(const DisplayBitmap* mask, Span rows, int64_t first, int64_t end, uint8_t* into)
{
    memcpy(into + first, bitmapRow(mask, int32_t(rows.first)) + first, size_t(end - first));
    for (int64_t r = rows.first + 1; r < rows.end; r++) {
        const uint8_t* row = bitmapRow(mask, int32_t(r));
        for (int64_t k = first; k < end; k++) into[k] &= row[k];
    }
}

// The group's first pixel whose mask bit is clear; false when it has none.
static bool firstClear(const DisplayBitmap* mask, Span columns, Span rows, int64_t* x, int64_t* y)
{
    for (int64_t r = rows.first; r < rows.end; r++) {
        const uint8_t* row = bitmapRow(mask, int32_t(r));
        for (int64_t c = columns.first; c < columns.end; c++)
            if (!maskBit(row, c)) {
                *x = c;
                *y = r;
                return true;
            }
    }
    return false;
}

static void copyPixel(const DisplayBitmap* source, int64_t x, int64_t y, uint8_t* to, int32_t i)
{
    const uint8_t* row = bitmapRow(source, int32_t(y));
    switch (source->header.biBitCount) {
    case 24: memcpy(to + 3 * i, row + 3 * x, 3); break;
    case 8: to[i] = row[x]; break;
    default:
        if (maskBit(row, x))
            setMaskBit(to, i);
        else
            to[i >> 3] &= uint8_t(~(0x80 >> (i & 7)));
    }
}

// The source's columns the row's groups cover: x .. end-1.
static int64_t coveredEnd(const DisplayBitmap* source, int32_t x, int32_t step, int32_t width)
{
    int64_t end = x + int64_t(width) * step;
    return end < source->width ? end : source->width;
}

static uint8_t larger(uint8_t a, uint8_t b)
{
    return a > b ? a : b;
}

// Each channel's largest over the group: the rows' largest bytes first,
// then across: after a pass, a pixel holds the largest of a window of
// pixels starting at it, and each pass widens the window by up to its own
// width, so that the group's first pixel comes to hold the group's largest
// in log2(step) passes (the last cut short where the group ends). Simple
// loops over whole rows, which the compiler turns into vector code.
static void largestBytesRow(const DisplayBitmap* source, Span rows, int32_t x, int32_t step, int32_t width,
                            uint8_t* into, uint8_t* to)
{
    const int bpp = source->header.biBitCount / 8;
    const size_t from = size_t(x) * bpp, count = size_t(coveredEnd(source, x, step, width) - x) * bpp;
    const uint8_t* first = bitmapRow(source, int32_t(rows.first)) + from;
    if (rows.end - rows.first == 1) memcpy(into, first, count);
    for (int64_t r = rows.first + 1; r < rows.end; r++) {
        const uint8_t* row = bitmapRow(source, int32_t(r)) + from;
        const uint8_t* above = r == rows.first + 1 ? first : into;
        for (size_t k = 0; k < count; k++) into[k] = larger(above[k], row[k]);
    }
    // A window reaching past the last column has only the columns that exist.
    for (int32_t window = 1; window < step;) {
        const int32_t more = window < step - window ? window : step - window;
        const size_t shift = size_t(more) * bpp;
        for (size_t k = 0; k + shift < count; k++) into[k] = larger(into[k], into[k + shift]);
        window += more;
    }
    pickRow(into, to, bpp * 8, 0, step, width);
}

// The first column from c on, before end, whose bit in row is clear; end
// when there is none. Whole bytes of set bits are passed at once: hot
// pixels are few.
static int64_t nextClear(const uint8_t* row, int64_t c, int64_t end)
{
    while (c < end) {
        if ((c & 7) == 0 && row[c >> 3] == 0xFF) {
            c += 8;
        } else {
            if (!maskBit(row, c)) return c;
            c++;
        }
    }
    return end;
}

// Every group set, then each clear bit of the rows ANDed clears its group.
static void largestMaskRow(const DisplayBitmap* source, Span rows, int32_t x, int32_t step, int32_t width,
                           uint8_t* into, uint8_t* to)
{
    const int64_t end = coveredEnd(source, x, step, width);
    andRows(source, rows, x >> 3, ((end - 1) >> 3) + 1, into);
    memset(to, 0xFF, size_t(width >> 3));
    if (width & 7) to[width >> 3] = uint8_t(0xFF00 >> (width & 7));
    for (int64_t c = nextClear(into, x, end); c < end; c = nextClear(into, c + 1, end)) {
        int64_t group = (c - x) / step;
        to[group >> 3] &= uint8_t(~(0x80 >> (group & 7)));
    }
}

// The top-left pixels first; then only the groups with a clear chooser bit
// get their first such pixel instead.
static void chosenRow(const DisplayBitmap* source, const DisplayBitmap* chooser, Span rows, int32_t x,
                      int32_t step, int32_t width, uint8_t* into, uint8_t* to)
{
    pickRow(bitmapRow(source, int32_t(rows.first)), to, source->header.biBitCount, x, step, width);
    const int64_t end = coveredEnd(source, x, step, width);
    andRows(chooser, rows, x >> 3, ((end - 1) >> 3) + 1, into);
    for (int64_t c = nextClear(into, x, end); c < end;) {
        int64_t group = (c - x) / step;
        Span columns = groupSpan(x + group * step, step, int32_t(end));
        int64_t cx = columns.first, cy = rows.first;
        firstClear(chooser, columns, rows, &cx, &cy);
        copyPixel(source, cx, cy, to, int32_t(group));
        c = nextClear(into, columns.end, end);
    }
}

static bool fits(const DisplayBitmap* source, int32_t x, int32_t y, int32_t step, int32_t width, int32_t height,
                 ReduceRule rule)
{
    if (rule.chooser && (rule.chooser->header.biBitCount != 1 || rule.chooser->width != source->width ||
                         rule.chooser->height != source->height))
        return false;
    return step >= 1 && width >= 1 && height >= 1 && x >= 0 && y >= 0 &&
           x + int64_t(width - 1) * step < source->width && y + int64_t(height - 1) * step < source->height;
}

static bool fill(DisplayBitmap* reduced, const DisplayBitmap* source, int32_t x, int32_t y, int32_t step,
                 ReduceRule rule)
{
    memcpy(reduced->colours, source->colours, sizeof reduced->colours);
    const int bits = source->header.biBitCount;
    const bool picked = step == 1 || (!rule.largest && !rule.chooser);
    uint8_t* rowBuffer = nullptr;
    if (!picked) {
        rowBuffer = static_cast<uint8_t*>(malloc(size_t(source->stride > maskStride(source->width)
                                                            ? source->stride
                                                            : maskStride(source->width))));
        if (!rowBuffer) return false;
    }
    for (int32_t j = 0; j < reduced->height; j++) {
        uint8_t* to = bitmapRow(reduced, j);
        if (bits == 1) memset(to, 0, size_t(reduced->stride));
        Span rows = groupSpan(y + int64_t(j) * step, step, source->height);
        if (picked)
            pickRow(bitmapRow(source, int32_t(rows.first)), to, bits, x, step, reduced->width);
        else if (rule.largest && bits == 1)
            largestMaskRow(source, rows, x, step, reduced->width, rowBuffer, to);
        else if (rule.largest)
            largestBytesRow(source, rows, x, step, reduced->width, rowBuffer, to);
        else
            chosenRow(source, rule.chooser, rows, x, step, reduced->width, rowBuffer, to);
    }
    free(rowBuffer);
    return true;
}

DisplayBitmap* reduceBitmap(const DisplayBitmap* source, int32_t x, int32_t y, int32_t step, int32_t width,
                            int32_t height, ReduceRule rule)
{
    DisplayBitmap* reduced = nullptr;
    return reduceBitmapInto(&reduced, source, x, y, step, width, height, rule);
}

DisplayBitmap* reduceBitmapInto(DisplayBitmap** scratch, const DisplayBitmap* source, int32_t x, int32_t y,
                                int32_t step, int32_t width, int32_t height, ReduceRule rule)
{
    DisplayBitmap* kept = *scratch;
    if (!source || !fits(source, x, y, step, width, height, rule)) {
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
    if (!fill(kept, source, x, y, step, rule)) {
        freeDisplayBitmap(kept);
        *scratch = kept = nullptr;
    }
    return kept;
}

// The largest of the counted bytes of pixel x of a row.
static int pixelPeak(const uint8_t* row, int bpp, unsigned byteMask, int64_t x)
{
    if (bpp == 1) return row[x];
    int peak = -1;
    for (int b = 0; b < 3; b++)
        if ((byteMask >> b & 1) && row[3 * x + b] > peak) peak = row[3 * x + b];
    return peak;
}

void groupPixel(const DisplayBitmap* source, ReduceRule rule, unsigned byteMask, int32_t step, int32_t* x,
                int32_t* y)
{
    if (!source || step <= 1 || *x < 0 || *y < 0 || *x >= source->width || *y >= source->height) return;
    Span columns = groupSpan(*x, step, source->width), rows = groupSpan(*y, step, source->height);
    int64_t px = *x, py = *y;
    if (rule.largest && source->header.biBitCount != 1) {
        const int bpp = source->header.biBitCount / 8;
        int best = -1;
        for (int64_t r = rows.first; r < rows.end; r++)
            for (int64_t c = columns.first; c < columns.end; c++) {
                int peak = pixelPeak(bitmapRow(source, int32_t(r)), bpp, byteMask, c);
                if (peak > best) {
                    best = peak;
                    px = c;
                    py = r;
                }
            }
    } else if (rule.largest || rule.chooser) {
        const DisplayBitmap* mask = rule.largest ? source : rule.chooser;
        if (mask->width == source->width && mask->height == source->height) firstClear(mask, columns, rows, &px, &py);
    }
    *x = int32_t(px);
    *y = int32_t(py);
}
