// Broadcast-illegal ("hot") pixels: colours that, encoded as NTSC or PAL
// video, exceed the luma, chroma or composite limits. The test works on the
// display bytes, after the levels, with integer tables prepared once per
// parameter set; the hot mask holds 0 (white) for hot pixels, 1 (black)
// elsewhere, so that ANDing it over the picture leaves only hot pixels lit.
#pragma once

#include <stdint.h>

#include "image/display_bitmap.h"
#include "settings/display_params.h"

struct View;

// Fixed-point scale of the tables: 8192 is full white (100 IRE), 0 the
// pedestal.
enum { HOT_SCALE = 8192 };

// Fills the process-wide tables. A pedestal of 100 IRE or more leaves no
// span between black and white: nothing is hot then.
void prepareHotTables(int standard, double pedestal, double composite, double chroma);

// 1 when the colour is hot under the tables last prepared.
int isHotPixel(int red, int green, int blue);

// The limits as prepared, for tests: luma limit and chroma limit (before
// squaring) in table units.
int32_t hotLumaLimit();
int32_t hotChromaLimit();

// The whole mask from the view's colour bitmap and hot parameters.
void buildHotMask(View* view);

// The same in pieces, for a caller that interleaves the mask with the
// colour conversion while the colour bytes are still in the cache: prepare
// once, then mask bytes fromByte .. toByte-1 of image row y (eight pixels a
// byte) as their colour pixels are done.
void prepareHotTablesForView(const View* view);
void buildHotMaskBytes(View* view, int y, int fromByte, int toByte);

// The same for any colour bitmap and a mask of its size.
void hotMaskBytes(const DisplayBitmap* colour, DisplayBitmap* mask, int y, int fromByte, int toByte);

// The mask bytes covering the rectangle (whole bytes, in groups of four,
// possibly reaching past the rectangle to the right).
void updateHotMaskRect(View* view, int x, int y, int w, int h);
