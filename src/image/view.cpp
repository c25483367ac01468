#include "image/view.h"

#include <stdio.h>
#include <stdlib.h>

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
