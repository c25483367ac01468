// A View record: an image with its four display bitmaps, its name and notes,
// its own hot-pixel and safe-area parameters, and the pixels under its last
// caption. The record owns everything it points to.
#pragma once

#include "image/display_bitmap.h"
#include "image/image.h"
#include "settings/display_params.h"

enum { VIEW_NAME_SIZE = 256, VIEW_NOTES_SIZE = 1024 };

struct UndoRegion {
    Image* piece;  // null when there is nothing to undo
    int32_t x;
    int32_t y;
};

struct View {
    Image* image;
    DisplayBitmap* colour;
    DisplayBitmap* alpha;
    DisplayBitmap* hotMask;
    DisplayBitmap* safeOverlay;
    char name[VIEW_NAME_SIZE];
    char notes[VIEW_NOTES_SIZE];
    HotParams hot;
    SafeParams safe;
    UndoRegion undo;
    // What the safe overlay shows: it depends only on the size and these
    // parameters, so a view that takes over another's bitmaps keeps it
    // when they match. overlayDrawn is 0 until it is drawn.
    SafeParams overlayDrawnFor;
    int32_t overlayDrawn;
    // When it came, counted by the slots: creation times have whole
    // seconds, too coarse to order frames rendered faster than one a second.
    uint64_t arrival;
};

// Takes ownership of image on success. On failure (null) the image is
// still the caller's, untouched, and nothing else stays allocated: the
// viewer can free older images and try again.
View* newView(Image* image);
void freeView(View* view);

// The same, taking over a view that has left its slot and no longer holds
// an image: its display bitmaps serve again when they have the image's
// size (every pixel of them is rebuilt from the new image), else they are
// freed with it. The retired view is the callee's in every case.
View* newViewReusing(Image* image, View* retired);

// Whether the safe overlay already shows the view's safe parameters.
int safeOverlayIsCurrent(const View* view);
// After drawing it: it shows them.
void markSafeOverlayDrawn(View* view);
// No area at all (every pixel black, which leaves the picture as it is
// under the inverting blit): before the first drawing, and when drawing
// fails.
void clearSafeOverlay(View* view);

// Bytes of the four display bitmaps of an image of that size, and of a
// whole View record with its image: what making room for an image means.
int64_t displayBytes(int32_t width, int32_t height);
int64_t viewBytes(const View* view);
