#include "viewer/compare.h"

#include <string.h>

#include "image/slots.h"

// Holds bitmaps only while it shows the current comparison: every other
// outcome frees them.
static DifferenceDisplay g_difference;

int refreshComparison(ViewState* vs)
{
    const View* reference = referenceView();
    if (vs->view && reference) vs->wipeX = wipeColumnFor(vs->wipeX, vs->imageWidth, reference->image->width);
    if (vs->compareMode != COMPARE_DIFFERENCE || !vs->view || !reference) {
        if (vs->compareMode == COMPARE_DIFFERENCE) vs->compareMode = COMPARE_NONE;
        freeDifference(&g_difference);
        return 1;
    }
    if (!buildDifference(vs->view, reference->image, &g_difference)) {  // freed on failure
        vs->compareMode = COMPARE_NONE;
        return 0;
    }
    return 1;
}

const DifferenceDisplay* comparedDifference()
{
    return g_difference.colour ? &g_difference : nullptr;
}

void releaseComparison()
{
    freeDifference(&g_difference);
}

int32_t wipeColumnFor(int64_t x, int32_t currentWidth, int32_t referenceWidth)
{
    int32_t limit = currentWidth < referenceWidth ? currentWidth : referenceWidth;
    if (x < 0) return 0;
    return x > limit ? limit : int32_t(x);
}

DisplayBitmap* composeWipe(const DisplayBitmap* current, const DisplayBitmap* reference, int32_t wipeX)
{
    const int bits = current->header.biBitCount;
    if (bits != reference->header.biBitCount || (bits != 24 && bits != 8)) return nullptr;
    DisplayBitmap* out = bits == 24 ? newColourBitmap(current->width, current->height)
                                    : newGreyBitmap(current->width, current->height);
    if (!out) return nullptr;
    memcpy(out->pixels, current->pixels, size_t(out->stride) * size_t(out->height));
    int32_t columns = wipeX < reference->width ? wipeX : reference->width;
    if (columns < 0) columns = 0;
    const size_t bytes = size_t(columns) * size_t(bits / 8);
    const int32_t rows = current->height < reference->height ? current->height : reference->height;
    for (int32_t y = 0; y < rows; y++)  // image row y, bottom-up in both
        memcpy(out->pixels + size_t(current->height - 1 - y) * size_t(out->stride),
               reference->pixels + size_t(reference->height - 1 - y) * size_t(reference->stride), bytes);
    return out;
}
