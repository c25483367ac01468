// The frame buffer session: the host's open, begin, write, pause and close
// become Image records handed to the viewer.
#pragma once

#include <stdint.h>

#include "image/image.h"
#include "sdk/lwhandler.h"

struct FrameBufferSession {
    Image* image;  // the image being received; null when none is held
    int32_t width;
    int32_t height;
    int32_t row;         // next row that write stores
    int32_t beginCount;  // never reset: image numbers rise across renders
    // Milliseconds at open, then at each pause: a frame's render time counts
    // from the later of the two, since the host opens once for a sequence.
    uint32_t frameClock;
};

LWError fbOpen(LWInstance inst, int width, int height);
LWError fbBegin(LWInstance inst);
LWError fbWrite(LWInstance inst, const void* red, const void* green, const void* blue, const void* alpha);
void fbPause(LWInstance inst);
void fbClose(LWInstance inst);

// Tenths of a second between two millisecond clock readings.
int32_t renderTimeTenths(uint32_t since, uint32_t now);

// The scene frame shown at currentTime: (fps × time + 0.5) truncated, in
// double precision.
int32_t frameNumberAt(double fps, float currentTime);
