#include "image/display_bitmap.h"

#include "image/pixel_memory.h"

#include <stdlib.h>
#include <string.h>

static_assert(offsetof(DisplayBitmap, colours) == sizeof(BITMAPINFOHEADER),
              "the colour table follows the header directly, as in a BITMAPINFO");

// Rows and whole buffers stay below 2 GB, so every size fits the header's
// 32-bit fields and a 32-bit process's size_t.
static const int64_t MAX_BYTES = INT32_MAX;

static int32_t strideFor(int32_t width, int bits)
{
    if (width <= 0) return 0;
    int64_t stride = ((int64_t(width) * bits + 31) / 32) * 4;
    return stride <= MAX_BYTES ? int32_t(stride) : 0;
}

int32_t colourStride(int32_t width)
{
    return strideFor(width, 24);
}

int32_t greyStride(int32_t width)
{
    return strideFor(width, 8);
}

int32_t maskStride(int32_t width)
{
    return strideFor(width, 1);
}

static DisplayBitmap* newBitmap(int32_t width, int32_t height, int bits)
{
    int32_t stride = strideFor(width, bits);
    if (stride == 0 || height <= 0 || int64_t(stride) * height > MAX_BYTES) return nullptr;
    DisplayBitmap* bm = static_cast<DisplayBitmap*>(calloc(1, sizeof(DisplayBitmap)));
    if (!bm) return nullptr;
    bm->pixels = static_cast<uint8_t*>(allocateClearedPixels(size_t(stride) * size_t(height)));
    if (!bm->pixels) {
        free(bm);
        return nullptr;
    }
    bm->width = width;
    bm->height = height;
    bm->stride = stride;
    BITMAPINFOHEADER& h = bm->header;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = WORD(bits);
    h.biCompression = BI_RGB;
    h.biSizeImage = DWORD(stride) * DWORD(height);
    return bm;
}

DisplayBitmap* newColourBitmap(int32_t width, int32_t height)
{
    return newBitmap(width, height, 24);
}

DisplayBitmap* newGreyBitmap(int32_t width, int32_t height)
{
    DisplayBitmap* bm = newBitmap(width, height, 8);
    if (!bm) return nullptr;
    for (int i = 0; i < 256; i++) bm->colours[i] = {BYTE(i), BYTE(i), BYTE(i), 0};
    return bm;
}

void setMaskColours(DisplayBitmap* mask)
{
    mask->colours[0] = {255, 255, 255, 0};
    mask->colours[1] = {0, 0, 0, 0};
}

DisplayBitmap* newMaskBitmap(int32_t width, int32_t height)
{
    DisplayBitmap* bm = newBitmap(width, height, 1);
    if (bm) setMaskColours(bm);
    return bm;
}

void freeDisplayBitmap(DisplayBitmap* bitmap)
{
    if (!bitmap) return;
    releasePixels(bitmap->pixels);
    free(bitmap);
}
