#include "display/levels.h"

#include <string.h>

#include "display/hot_pixels.h"
#include "display/level_spans.h"
#include "image/view.h"

static LevelSpan levelsOf(const Image* image)
{
    return LevelSpan{image->black, image->white - image->black};
}

// Rows y0 .. y1-1, columns x0 .. x0+n-1, of the colour bitmap.
static void colourRows(const Image* image, DisplayBitmap* colour, int y0, int y1, int x0, int n)
{
    LevelSpan levels = levelsOf(image);
    for (int y = y0; y < y1; y++) {
        size_t at = size_t(y) * size_t(image->width) + size_t(x0);
        convertColourSpan(image->red + at, image->green + at, image->blue + at, n, bitmapRow(colour, y) + 3 * x0,
                          levels);
    }
}

static void alphaRows(const Image* image, DisplayBitmap* alpha, int y0, int y1, int x0, int n)
{
    for (int y = y0; y < y1; y++) {
        size_t at = size_t(y) * size_t(image->width) + size_t(x0);
        convertAlphaSpan(image->alpha + at, n, bitmapRow(alpha, y) + x0);
    }
}

void convertColour(const Image* image, DisplayBitmap* colour)
{
    colourRows(image, colour, 0, image->height, 0, image->width);
}

void convertAlpha(const Image* image, DisplayBitmap* alpha)
{
    alphaRows(image, alpha, 0, image->height, 0, image->width);
}

// Clips the rectangle to the image; 0 when nothing is left.
static int clipToImage(const Image* image, int* x, int* y, int* w, int* h)
{
    int64_t x0 = *x < 0 ? 0 : *x, y0 = *y < 0 ? 0 : *y;
    int64_t x1 = int64_t(*x) + *w, y1 = int64_t(*y) + *h;
    if (x1 > image->width) x1 = image->width;
    if (y1 > image->height) y1 = image->height;
    if (x1 <= x0 || y1 <= y0) return 0;
    *x = int(x0);
    *y = int(y0);
    *w = int(x1 - x0);
    *h = int(y1 - y0);
    return 1;
}

void convertRect(View* view, int x, int y, int w, int h)
{
    if (!clipToImage(view->image, &x, &y, &w, &h)) return;
    colourRows(view->image, view->colour, y, y + h, x, w);
    alphaRows(view->image, view->alpha, y, y + h, x, w);
}

// Pixels per step of the full rebuild: a step's floats, bytes and mask all
// stay in the first-level cache from conversion to hot test.
static const int REBUILD_STEP = 256;

// Asks for the next step's samples while this one converts: four planes at
// once are more streams than the hardware prefetcher follows well.
static void prefetchPlanes(const Image* image, size_t at)
{
    size_t end = size_t(image->width) * size_t(image->height);
    if (at >= end) return;
    size_t n = end - at < size_t(REBUILD_STEP) ? end - at : size_t(REBUILD_STEP);
    for (size_t i = 0; i < n; i += 16) {
        __builtin_prefetch(image->red + at + i);
        __builtin_prefetch(image->green + at + i);
        __builtin_prefetch(image->blue + at + i);
        __builtin_prefetch(image->alpha + at + i);
    }
}

// The same results as convertColour, convertAlpha and buildHotMask one after
// the other, done a short piece of a row at a time. The safe overlay is
// drawn by the platform side (GDI text and lines); until it is, it stays as
// made.
void rebuildDisplay(View* view)
{
    const Image* image = view->image;
    const int width = image->width;
    const LevelSpan levels = levelsOf(image);
    const int maskBytes = view->hotMask->stride;
    prepareHotTablesForView(view);
    for (int y = 0; y < image->height; y++) {
        size_t row = size_t(y) * size_t(width);
        uint8_t* bgr = bitmapRow(view->colour, y);
        uint8_t* alpha = bitmapRow(view->alpha, y);
        for (int x = 0; x < width; x += REBUILD_STEP) {
            int n = width - x < REBUILD_STEP ? width - x : REBUILD_STEP;
            size_t at = row + size_t(x);
            prefetchPlanes(image, at + REBUILD_STEP);
            convertColourSpan(image->red + at, image->green + at, image->blue + at, n, bgr + 3 * x, levels);
            convertAlphaSpan(image->alpha + at, n, alpha + x);
            int last = x + n < width ? (x + n) / 8 : maskBytes;  // the row's last step takes the padding
            buildHotMaskBytes(view, y, x / 8, last);
        }
    }
}

void refreshDisplay(View* view, unsigned flags)
{
    if (flags & REFRESH_LEVELS) convertColour(view->image, view->colour);
    if (flags & (REFRESH_LEVELS | REFRESH_HOT)) buildHotMask(view);
}

void updateDisplayRect(View* view, int x, int y, int w, int h)
{
    if (!clipToImage(view->image, &x, &y, &w, &h)) return;
    convertRect(view, x, y, w, h);
    updateHotMaskRect(view, x, y, w, h);
}
