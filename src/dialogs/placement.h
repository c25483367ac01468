// Where a box over the viewer goes: centred on its owner, then held inside
// the desktop. Screen coordinates.
#pragma once

#include <stdint.h>

struct ScreenRect {
    int32_t left, top, right, bottom;
};

struct ScreenPoint {
    int32_t x, y;
};

// width, height: the box's outer size.
ScreenPoint placeOverOwner(const ScreenRect& owner, int32_t width, int32_t height, const ScreenRect& desktop);
