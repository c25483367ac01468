// The comparison of the current image with the reference as the pane shows
// it: the difference display, kept while the difference view is on and
// built again whenever the viewer brings its controls in line (a new
// current image or reference, other levels or hot parameters, a caption).
#pragma once

#include "display/difference.h"
#include "image/view_state.h"

// Builds the difference of the View state's view from the reference when
// the compare mode is COMPARE_DIFFERENCE, frees it otherwise, and keeps the
// wipe's split inside the columns both images have. 0 when memory is
// short: the compare mode is then COMPARE_NONE.
int refreshComparison(ViewState* vs);

// The difference display; null unless the difference view is on.
const DifferenceDisplay* comparedDifference();

// Frees what the comparison holds, as the viewer closes.
void releaseComparison();

// Where the wipe's split goes for a pointer over image column x: clamped to
// the columns the two images have in common (0 to the narrower width).
int32_t wipeColumnFor(int64_t x, int32_t currentWidth, int32_t referenceWidth);

// The wipe as one picture of the current image's size, for copying and
// printing: the reference's pixels left of the split column (where the
// reference has them), the current image's everywhere else. Both bitmaps
// of one kind (colour or grey); null when they are not, or memory is
// short. The caller frees it.
DisplayBitmap* composeWipe(const DisplayBitmap* current, const DisplayBitmap* reference, int32_t wipeX);
