// The difference of two renders: |current - reference| per channel from
// the float samples, shown through the current image's black and white
// levels, so that lowering the white level magnifies small differences.
#pragma once

#include <stdint.h>

#include "image/display_bitmap.h"
#include "image/image.h"

struct View;

// Bitmaps of the current image's size, made on the first build and kept
// while the size stays.
struct DifferenceDisplay {
    DisplayBitmap* colour;
    DisplayBitmap* alpha;
    DisplayBitmap* hotMask;
};

// One pixel by the rule: a NaN or infinite sample on either side, in any
// channel, makes the pixel 255 in all four, so that it cannot hide in any
// channel view; otherwise each channel is levelToByte of |current -
// reference| (a single-precision difference), alpha through the levels too.
void differencePixel(const float current[4], const float reference[4], float black, float range, uint8_t bgr[3],
                     uint8_t* alpha);

// Fills the display from the current view and the reference image: the
// difference over their common top-left area, the current view's own
// colour and alpha bytes outside it, and the hot mask of the result under
// the current view's hot parameters. 0 when memory is short (the display
// is then freed).
int buildDifference(const View* current, const Image* reference, DifferenceDisplay* display);

void freeDifference(DifferenceDisplay* display);
