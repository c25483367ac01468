#include "viewer/compare.h"

#include "image/slots.h"

static DifferenceDisplay g_difference;
static int g_built;  // g_difference shows the current comparison

int refreshComparison(ViewState* vs)
{
    const View* reference = referenceView();
    g_built = 0;
    if (vs->compareMode != COMPARE_DIFFERENCE || !vs->view || !reference) {
        if (vs->compareMode == COMPARE_DIFFERENCE) vs->compareMode = COMPARE_NONE;
        freeDifference(&g_difference);
        return 1;
    }
    if (!buildDifference(vs->view, reference->image, &g_difference)) {
        vs->compareMode = COMPARE_NONE;
        return 0;
    }
    g_built = 1;
    return 1;
}

const DifferenceDisplay* comparedDifference()
{
    return g_built ? &g_difference : nullptr;
}

void releaseComparison()
{
    g_built = 0;
    freeDifference(&g_difference);
}

int32_t wipeColumnFor(int32_t x, int32_t currentWidth, int32_t referenceWidth)
{
    int32_t limit = currentWidth < referenceWidth ? currentWidth : referenceWidth;
    if (x < 0) return 0;
    return x > limit ? limit : x;
}
