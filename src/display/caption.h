// Captions stamped into an image: an 8-bit coverage bitmap of the text,
// blended with a hard drop shadow into the float channels, and one level
// of undo per view that swaps the covered pixels back and forth. The glyph
// rasterising is the platform's (caption_text_win.cpp); everything else
// here is arithmetic over records.
#pragma once

#include <stdint.h>

#include "image/view.h"
#include "settings/settings.h"

// The text as coverage: rows top to bottom, each byte 0 (empty) to 255.
struct TextBitmap {
    int32_t width;   // the measured text, 2 more when the font is italic
    int32_t height;
    int32_t stride;  // width rounded up to 4
    int32_t ascent;  // the baseline is this row
    uint8_t* coverage;
};

// A zeroed coverage buffer for width × height; 0 when the size is
// unreasonable or memory runs out. freeTextBitmap releases it.
int allocateTextBitmap(TextBitmap* bitmap, int32_t width, int32_t height, int32_t ascent);
void freeTextBitmap(TextBitmap* bitmap);

// Adds a glyph's grey levels (0 to 64, × 4, capped at 255) into the bitmap
// with the glyph's top-left at column x and row y; what falls outside the
// bitmap is skipped. levels: boxHeight rows, pitch bytes apart, of which
// the first columns bytes are copied.
void addGlyphCoverage(TextBitmap* bitmap, const uint8_t* levels, int32_t pitch, int32_t columns,
                      int32_t boxHeight, int32_t x, int32_t y);

// ((255 − c) × current + c × target) / 255. Coverage 0 leaves the value and
// 255 sets the target exactly, even over a NaN or infinite sample.
float blendCoverage(int coverage, float current, float target);

// The text's left edge for an alignment (0 left, 1 centred, 2 right).
int32_t captionLeftX(int32_t anchorX, int32_t alignment, int32_t width);

struct CaptionRect {
    int32_t x, y, width, height;
};

// What text and shadow can touch (the shadow's offset counted whether or
// not it is on), clipped to the image. 0 when nothing of it is inside.
int captionRect(const TextBitmap* bitmap, const TextOptions* options, int32_t imageWidth, int32_t imageHeight,
                CaptionRect* out);

// Keeps the pixels the caption will cover as the view's undo region. 0,
// with the old region kept, when the caption lies outside the image; 0,
// with no region left, when the copy fails.
int saveUndoRegion(const TextBitmap* bitmap, const TextOptions* options, View* view);

// Blends the shadow, then the text, row by row into the image.
void blendCaption(const TextBitmap* bitmap, const TextOptions* options, Image* image);

// The steps after rasterising: places the text (setting options->leftX),
// saves the undo region, blends, and re-converts only the caption's
// rectangle. 1 when drawn.
int stampCaption(const TextBitmap* bitmap, TextOptions* options, View* view);

// Undo, and again redo, of the last caption; nothing without a region.
void swapUndoRegion(View* view);
