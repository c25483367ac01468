#include "viewer/compare.h"

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
