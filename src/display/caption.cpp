#include "display/caption.h"

#include <math.h>
#include <stdlib.h>

#include "display/levels.h"

// A caption wider or taller than this is no caption: it is refused rather
// than allocated.
enum { MAX_TEXT_EXTENT = 1 << 15 };

int allocateTextBitmap(TextBitmap* bitmap, int32_t width, int32_t height, int32_t ascent)
{
    *bitmap = TextBitmap{};
    if (width < 0 || height < 0 || width > MAX_TEXT_EXTENT || height > MAX_TEXT_EXTENT) return 0;
    int32_t stride = (width + 3) & ~3;
    // One byte more than needed, so that an empty text still owns a buffer.
    bitmap->coverage = static_cast<uint8_t*>(calloc(size_t(stride) * size_t(height) + 1, 1));
    if (!bitmap->coverage) return 0;
    bitmap->width = width;
    bitmap->height = height;
    bitmap->stride = stride;
    bitmap->ascent = ascent;
    return 1;
}

void freeTextBitmap(TextBitmap* bitmap)
{
    free(bitmap->coverage);
    *bitmap = TextBitmap{};
}

void addGlyphCoverage(TextBitmap* bitmap, const uint8_t* levels, int32_t pitch, int32_t columns,
                      int32_t boxHeight, int32_t x, int32_t y)
{
    for (int32_t r = 0; r < boxHeight; r++) {
        int32_t row = y + r;
        if (row < 0 || row >= bitmap->height) continue;
        uint8_t* out = bitmap->coverage + size_t(row) * size_t(bitmap->stride);
        const uint8_t* in = levels + size_t(r) * size_t(pitch);
        for (int32_t c = 0; c < columns; c++) {
            int32_t column = x + c;
            if (column < 0 || column >= bitmap->width) continue;
            int value = out[column] + 4 * in[c];
            out[column] = uint8_t(value > 255 ? 255 : value);
        }
    }
}

float blendCoverage(int coverage, float current, float target)
{
    if (coverage <= 0) return current;
    if (coverage >= 255) return target;
    return float(((255 - coverage) * double(current) + coverage * double(target)) / 255.0);
}

// In 64 bits: the anchor comes from a settings file or a pasted number, and
// may lie anywhere in 32 bits; the result is held to them.
int32_t captionLeftX(int32_t anchorX, int32_t alignment, int32_t width)
{
    int64_t left = anchorX;
    if (alignment == ALIGN_CENTRE) left -= width / 2;
    if (alignment == ALIGN_RIGHT) left -= width;
    return int32_t(left < INT32_MIN ? INT32_MIN : left > INT32_MAX ? INT32_MAX : left);
}

// Clips one span [start, start + length) to [0, limit); 0 when none is left.
static int clipSpan(int64_t* start, int64_t* length, int64_t limit)
{
    if (*start < 0) {
        *length += *start;
        *start = 0;
    }
    if (*start + *length > limit) *length = limit - *start;
    return *length >= 1;
}

int captionRect(const TextBitmap* bitmap, const TextOptions* options, int32_t imageWidth, int32_t imageHeight,
                CaptionRect* out)
{
    // In 64 bits: anchor, baseline and offsets come from a settings file.
    const int64_t dx = options->shadowDx, dy = options->shadowDy;
    int64_t left = int64_t(options->leftX) + (dx < 0 ? dx : 0);
    int64_t top = int64_t(options->baselineY) - bitmap->ascent + (dy < 0 ? dy : 0);
    int64_t w = int64_t(bitmap->width) + llabs(dx);
    int64_t h = int64_t(bitmap->height) + llabs(dy);
    if (left >= imageWidth || top >= imageHeight) return 0;  // before clipping, as the rule is
    if (!clipSpan(&left, &w, imageWidth) || !clipSpan(&top, &h, imageHeight)) return 0;
    *out = CaptionRect{int32_t(left), int32_t(top), int32_t(w), int32_t(h)};
    return 1;
}

int saveUndoRegion(const TextBitmap* bitmap, const TextOptions* options, View* view)
{
    CaptionRect r;
    if (!captionRect(bitmap, options, view->image->width, view->image->height, &r)) return 0;
    freeImage(view->undo.piece);
    view->undo = UndoRegion{copyImageRegion(view->image, r.x, r.y, r.width, r.height), r.x, r.y};
    return view->undo.piece != nullptr;
}

// Blends one coverage row into image row y, starting at image column x.
static void blendRow(const uint8_t* coverage, int32_t width, Image* image, int64_t x, int64_t y, const float target[4])
{
    if (y < 0 || y >= image->height) return;
    float* channels[4] = {image->red, image->green, image->blue, image->alpha};
    size_t row = size_t(y) * size_t(image->width);
    for (int32_t i = 0; i < width; i++) {
        int64_t column = x + i;
        if (column < 0 || column >= image->width || coverage[i] == 0) continue;
        for (int c = 0; c < 4; c++) {
            float* v = &channels[c][row + size_t(column)];
            *v = blendCoverage(coverage[i], *v, target[c]);
        }
    }
}

void blendCaption(const TextBitmap* bitmap, const TextOptions* options, Image* image)
{
    const uint32_t colour = options->colour;
    const float text[4] = {float(colour & 0xFF) / 255.0f, float((colour >> 8) & 0xFF) / 255.0f,
                           float((colour >> 16) & 0xFF) / 255.0f, 1.0f};
    const float shadow[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    const int64_t top = int64_t(options->baselineY) - bitmap->ascent;
    for (int32_t j = 0; j < bitmap->height; j++) {
        const uint8_t* coverage = bitmap->coverage + size_t(j) * size_t(bitmap->stride);
        if (options->shadowEnabled)
            blendRow(coverage, bitmap->width, image, int64_t(options->leftX) + options->shadowDx,
                     top + options->shadowDy + j, shadow);
        blendRow(coverage, bitmap->width, image, options->leftX, top + j, text);
    }
}

int stampCaption(const TextBitmap* bitmap, TextOptions* options, View* view)
{
    if (!bitmap || !options || !view || !view->image) return 0;
    options->leftX = captionLeftX(options->anchorX, options->alignment, bitmap->width);
    if (!saveUndoRegion(bitmap, options, view)) return 0;
    blendCaption(bitmap, options, view->image);
    const Image* piece = view->undo.piece;
    updateDisplayRect(view, view->undo.x, view->undo.y, piece->width, piece->height);
    return 1;
}

void swapUndoRegion(View* view)
{
    if (!view || !view->undo.piece) return;
    UndoRegion& undo = view->undo;
    Image* current = copyImageRegion(view->image, undo.x, undo.y, undo.piece->width, undo.piece->height);
    if (!current) return;  // without memory for the redo piece, keep the undo as it is
    pasteImageRegion(undo.piece, view->image, undo.x, undo.y);
    updateDisplayRect(view, undo.x, undo.y, undo.piece->width, undo.piece->height);
    freeImage(undo.piece);
    undo.piece = current;
}
