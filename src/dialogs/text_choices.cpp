#include "dialogs/text_choices.h"

#include <stdio.h>

static ColourEntry g_colours[COLOUR_ENTRIES] = {
    {"White", 0xFFFFFF}, {"Black", 0x000000}, {"Yellow", 0x00FFFF}, {"Red", 0x0000FF},
    {"Green", 0x00FF00}, {"Blue", 0xFF0000},  {"Custom", 0x808080},
};

const int captionSizes[SIZE_ENTRIES] = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 28, 32, 40, 48, 60, 72};

ColourEntry* colourList()
{
    return g_colours;
}

int selectColourEntry(ColourEntry* list, COLORREF colour)
{
    for (int i = 0; i < COLOUR_ENTRIES; i++)
        if (list[i].colour == colour) return i;
    list[CUSTOM_COLOUR].colour = colour;
    return CUSTOM_COLOUR;
}

void loadPickerColours(COLORREF* custom, const ColourEntry* list)
{
    for (int i = 0; i < COLOUR_ENTRIES; i++) custom[i] = list[i].colour;
}

// In 64 bits: the magnitude of the most negative height does not fit 32.
static int64_t magnitude(int32_t fontHeight)
{
    return fontHeight < 0 ? -int64_t(fontHeight) : int64_t(fontHeight);
}

int sizeIndexFor(int32_t fontHeight)
{
    for (int i = 0; i < SIZE_ENTRIES; i++)
        if (captionSizes[i] >= magnitude(fontHeight)) return i;
    return -1;
}

void formatSizeText(int32_t fontHeight, char* text, int size)
{
    if (size > 0) snprintf(text, size_t(size), "%lld", static_cast<long long>(magnitude(fontHeight)));
}

// Digits between optional spaces, as the platform reads a number from a
// control; a number too large for a height is not one.
int32_t fontHeightFromSizeText(const char* text)
{
    const char* p = text;
    while (*p == ' ') p++;
    int64_t value = 0;  // no digits at all read as 0 too
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + (*p - '0');
        if (value > INT32_MAX) return 0;
        p++;
    }
    while (*p == ' ') p++;
    if (*p != '\0') return 0;
    return int32_t(-value);
}

int32_t alignmentFromRadios(const int* checked)
{
    for (int32_t i = 0; i < 3; i++)
        if (checked[i]) return i;
    return 0;
}
