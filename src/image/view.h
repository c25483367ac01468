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
};

// Takes ownership of image on success. On failure (null) the image is
// still the caller's, untouched, and nothing else stays allocated: the
// viewer can free older images and try again.
View* newView(Image* image);
void freeView(View* view);

// Bytes of the four display bitmaps of an image of that size, and of a
// whole View record with its image: what making room for an image means.
int64_t displayBytes(int32_t width, int32_t height);
int64_t viewBytes(const View* view);
