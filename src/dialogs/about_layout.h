// Where the about box goes: centred on its owner, then held inside the
// desktop. Screen coordinates.
#pragma once

#include <stdint.h>

struct ScreenRect {
    int32_t left, top, right, bottom;
};

struct ScreenPoint {
    int32_t x, y;
};

// width, height: the box's outer size.
ScreenPoint placeAboutBox(const ScreenRect& owner, int32_t width, int32_t height, const ScreenRect& desktop);

// The build date as the about box shows it, "Dec 8 2026", from a compiler
// date ("Dec  8 2026"); the text is cut to fit size.
void buildDateText(const char* compilerDate, char* text, int size);
