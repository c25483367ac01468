#include "image/view.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// Drawing rewrites the colour table (0 black, 1 white), so the table goes
// back to the one the mask was made with, where 1 is black, with the bits.
void clearSafeOverlay(View* view)
{
    DisplayBitmap* safe = view->safeOverlay;
    setMaskColours(safe);
    memset(safe->pixels, 0xFF, size_t(safe->stride) * size_t(safe->height));
    view->overlayDrawn = 0;
}

int safeOverlayIsCurrent(const View* view)
{
    const SafeParams& a = view->safe;
    const SafeParams& b = view->overlayDrawnFor;
    return view->overlayDrawn && a.frameAspect == b.frameAspect && a.frameMargin == b.frameMargin &&
           a.kinds == b.kinds && a.style == b.style;
}

void markSafeOverlayDrawn(View* view)
{
    view->overlayDrawnFor = view->safe;
    view->overlayDrawn = 1;
}

static void holdImage(View* view, Image* image)
{
    view->image = image;
    snprintf(view->name, sizeof view->name, "Untitled%d", image->imageNumber);
}

View* newView(Image* image)
{
    if (!image) return nullptr;
    View* view = static_cast<View*>(calloc(1, sizeof(View)));
    if (!view) return nullptr;
    view->colour = newColourBitmap(image->width, image->height);
    view->alpha = newGreyBitmap(image->width, image->height);
    view->hotMask = newMaskBitmap(image->width, image->height);
    view->safeOverlay = newMaskBitmap(image->width, image->height);
    if (!view->colour || !view->alpha || !view->hotMask || !view->safeOverlay) {
        freeView(view);  // holds no image yet: the image stays the caller's
        return nullptr;
    }
    holdImage(view, image);
    clearSafeOverlay(view);
    return view;
}

View* newViewReusing(Image* image, View* retired)
{
    if (!retired) return newView(image);
    freeImage(retired->image);
    retired->image = nullptr;
    const DisplayBitmap* colour = retired->colour;
    if (!image || colour->width != image->width || colour->height != image->height) {
        freeView(retired);
        return newView(image);
    }
    // The bitmaps stay, and the overlay with what it shows; the rest starts anew.
    DisplayBitmap* const bitmaps[4] = {retired->colour, retired->alpha, retired->hotMask, retired->safeOverlay};
    const SafeParams drawnFor = retired->overlayDrawnFor;
    const int32_t drawn = retired->overlayDrawn;
    freeImage(retired->undo.piece);
    memset(retired, 0, sizeof *retired);
    retired->colour = bitmaps[0];
    retired->alpha = bitmaps[1];
    retired->hotMask = bitmaps[2];
    retired->safeOverlay = bitmaps[3];
    retired->overlayDrawnFor = drawnFor;
    retired->overlayDrawn = drawn;
    holdImage(retired, image);
    if (!drawn) clearSafeOverlay(retired);
    return retired;
}

void freeView(View* view)
{
    if (!view) return;
    freeImage(view->image);
    freeImage(view->undo.piece);
    freeDisplayBitmap(view->colour);
    freeDisplayBitmap(view->alpha);
    freeDisplayBitmap(view->hotMask);
    freeDisplayBitmap(view->safeOverlay);
    free(view);
}

int64_t displayBytes(int32_t width, int32_t height)
{
    int64_t rows = height > 0 ? height : 0;
    return rows * (int64_t(colourStride(width)) + greyStride(width) + 2 * int64_t(maskStride(width)));
}

int64_t viewBytes(const View* view)
{
    if (!view) return 0;
    const Image* im = view->image;
    return displayBytes(im->width, im->height) + int64_t(im->width) * im->height * 4 * int64_t(sizeof(float));
}
