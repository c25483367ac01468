// From the float image to the display bitmaps: the colour bitmap through
// the image's black and white levels, the alpha bitmap without levels, and
// the entry points that decide which bitmaps are rebuilt.
//
// The mapping is linear between the levels and truncates: a byte is
// (value - black) * 255 / range computed in double precision, rounded to
// single precision, clamped to 0..255 and truncated toward zero; NaN gives
// 0. Equal levels make a hard threshold; a white level below black inverts.
#pragma once

#include <stdint.h>

#include "display/level_spans.h"
#include "image/display_bitmap.h"
#include "image/image.h"

struct View;

// What changed, for refreshDisplay.
enum RefreshFlag { REFRESH_LEVELS = 1, REFRESH_HOT = 2, REFRESH_SAFE = 4 };

// The whole image into a 24-bit (blue, green, red) or an 8-bit bitmap of its
// size. Row padding is never written.
void convertColour(const Image* image, DisplayBitmap* colour);
void convertAlpha(const Image* image, DisplayBitmap* alpha);

// Columns x .. x+w-1 of rows y .. y+h-1 into the view's colour and alpha
// bitmaps; the rectangle is clipped to the image.
void convertRect(View* view, int x, int y, int w, int h);

// Every display bitmap of the view from its image and parameters.
void rebuildDisplay(View* view);

// Only the bitmaps that depend on what changed (RefreshFlag bits).
void refreshDisplay(View* view, unsigned flags);

// After the image's pixels changed inside the rectangle.
void updateDisplayRect(View* view, int x, int y, int w, int h);
