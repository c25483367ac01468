// The "Notes and Settings" property sheet over the viewer: the current
// image's name and notes, its levels, hot-pixel and safe-area parameters,
// and the readout's number form.
#pragma once

#include <windows.h>

#include "image/view.h"
#include "settings/settings.h"

// What the sheet needs from the viewer, which lies above it.
struct SheetHooks {
    void (*refresh)(View* view, unsigned groups);  // rebuilds the display bitmaps of changed groups
    void (*busy)(HWND viewer, int on);             // the wait cursor while the images are rebuilt
    View* (*imageInSlot)(int slot);               // null for an empty slot
    int slots;
};

// Runs the sheet on view; after OK writes the changes back, to every image
// where asked, and returns the groups that changed for view (0 after
// Cancel, which leaves everything as it was).
unsigned EditNotesAndSettings(HWND viewer, Settings* settings, View* view, const SheetHooks& hooks);
