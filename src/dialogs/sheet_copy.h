// The Notes and Settings sheet's working copy: filled from the image and
// the settings before the sheet opens, edited by its pages, and written
// back after OK, group by group, only where a value really changed.
#pragma once

#include <stdint.h>
#include <time.h>

#include "image/view.h"
#include "settings/settings.h"

// The value groups, as flags: which were changed (and need their display
// bitmaps rebuilt), and which go to every image. The same bits as the
// display refresh's.
enum SheetGroup { GROUP_LEVELS = 1, GROUP_HOT = 2, GROUP_SAFE = 4 };

enum { SHEET_PAGES = 4 };

struct SheetCopy {
    char name[VIEW_NAME_SIZE];
    char notes[VIEW_NOTES_SIZE];
    time_t creationTime;
    int32_t renderTime;  // tenths of a second
    int32_t imageNumber;
    int32_t frameNumber;
    int32_t points, polygons, renderOptions, aaPasses, recursionDepth;
    float black, white;
    int32_t pixelDisplayType;
    HotParams hot;
    SafeParams safe;
    // One check box a settings page: make the values the default, apply
    // them to every image. Indexed by page: 0 levels, 1 hot, 2 safe.
    int32_t makeDefault[3];
    int32_t applyToAll[3];
};

// The digits of ValuesDiffer that every comparison uses.
enum { SHEET_DIGITS = 10 };

void LoadSheetCopy(SheetCopy* copy, const View* view, const Settings* settings);

// Writes the copy back; returns the groups that changed for this image
// (GROUP_ bits) and sets *allImages to the groups to pass to the others.
unsigned ApplySheetCopy(const SheetCopy* copy, View* view, Settings* settings, unsigned* allImages);

// Copies the groups in flags from current to every other image whose values
// differ, and has refresh rebuild what changed in each.
void ApplyToAllImages(const View* current, unsigned flags, View* const* views, int count,
                      void (*refresh)(View* view, unsigned groups));
