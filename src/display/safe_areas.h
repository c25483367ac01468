// Where the safe-area overlay's shapes lie on an image of width × height:
// action safe 5 % and title safe 10 % inside each edge, as rounded
// rectangles whose corners follow the height, and a custom frame of a given
// aspect inside a margin. Right and bottom are exclusive, as GDI draws.
#pragma once

#include <stdint.h>

#include "settings/display_params.h"

struct SafeShape {
    int32_t left, top, right, bottom;
    int32_t corner;  // width and height of the corner ellipse; 0 for square corners
};

struct SafeShapes {
    bool video;  // action and title are set
    SafeShape action, title;
    bool custom;  // frame is set
    SafeShape frame;
};

// A frame whose aspect is not a positive finite number is left out, and a
// margin outside 0 .. 0.5 is held to it, so damaged settings draw no shape
// from undefined arithmetic.
SafeShapes safeShapes(int32_t width, int32_t height, const SafeParams& params);
