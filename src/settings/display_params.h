// The per-image parameters of the hot-pixel check and the safe areas: the
// Settings record holds the defaults, every View record its own copy, in
// this order.
#pragma once

#include <stdint.h>

enum { VIDEO_NTSC = 0, VIDEO_PAL = 1 };

struct HotParams {
    int32_t videoStandard;
    float pedestal;
    float compositeLimit;
    float chromaLimit;
};

enum { SAFE_VIDEO = 1, SAFE_CUSTOM = 2 };
enum { SAFE_OUTLINE = 0, SAFE_SOLID = 1 };

struct SafeParams {
    float frameAspect;
    float frameMargin;
    int32_t kinds;
    int32_t style;
};
