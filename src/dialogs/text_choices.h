// What the Add Text dialog offers: the caption colours, the character
// heights, and the readings of its controls that need no window.
#pragma once

#include <stdint.h>

#include "platform/wintypes.h"

enum { COLOUR_ENTRIES = 7, CUSTOM_COLOUR = 6, PICKER_COLOURS = 16, SIZE_ENTRIES = 18 };
enum { SIZE_TEXT_SIZE = 16 };

struct ColourEntry {
    const char* name;
    COLORREF colour;
};

// The process-wide list: the Custom entry keeps what was last picked.
ColourEntry* colourList();

// The first entry of that colour; when there is none, Custom takes the
// colour. The index to select.
int selectColourEntry(ColourEntry* list, COLORREF colour);

// The picker's sixteen custom colours start with the list's seven; the
// other nine are the artist's.
void loadPickerColours(COLORREF* custom, const ColourEntry* list);

// The character heights offered, in pixels.
extern const int captionSizes[SIZE_ENTRIES];

// The first offered size at least the font height's magnitude; -1 when
// the height is larger than every one.
int sizeIndexFor(int32_t fontHeight);

// The font height's magnitude as decimal text.
void formatSizeText(int32_t fontHeight, char* text, int size);

// The font height for the size box's text: minus its unsigned number, 0
// (the font's default height) for text that is not one.
int32_t fontHeightFromSizeText(const char* text);

// Alignment 0, 1 or 2: the first of the three radio buttons checked, 0
// when none is.
int32_t alignmentFromRadios(const int* checked);
