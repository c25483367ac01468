#include "image/view.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

View* newView(Image* image)
{
    if (!image) return nullptr;
    View* view = static_cast<View*>(calloc(1, sizeof(View)));
    if (!view) return nullptr;
    view->image = image;
    snprintf(view->name, sizeof view->name, "Untitled%d", image->imageNumber);
    view->colour = newColourBitmap(image->width, image->height);
    view->alpha = newGreyBitmap(image->width, image->height);
    view->hotMask = newMaskBitmap(image->width, image->height);
    view->safeOverlay = newMaskBitmap(image->width, image->height);
    if (!view->colour || !view->alpha || !view->hotMask || !view->safeOverlay) {
        view->image = nullptr;  // stays the caller's
        freeView(view);
        return nullptr;
    }
    // Until the safe areas are drawn the overlay holds no pixel to invert
    // (1 is black, which leaves the picture as it is), never whatever the
    // allocation happened to contain.
    const DisplayBitmap* safe = view->safeOverlay;
    memset(safe->pixels, 0xFF, size_t(safe->stride) * size_t(safe->height));
    return view;
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
