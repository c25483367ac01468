// How fast frames go from the host into a visible viewer: open, then for
// each frame begin, a write per row and pause, until the viewer has painted
// it; and where that time goes.
#pragma once

#include "zrhost/host_session.h"

// Milliseconds, each the median over the timed frames.
struct IngestTiming {
    double perFrame;  // from begin to the frame painted; negative when the viewer never showed one
    double begin;     // in begin: the new image's memory
    double rows;      // in the writes: the row copies
    double handOver;  // from pause until the viewer names the frame: slot, bitmaps, conversion, its paint
    double painting;  // from then until the pane has nothing left to paint
    double repaint;   // one more full repaint of the pane alone, forced afterwards
    double filling;   // the mean of the frames that filled the empty slots, on new memory
};

// The frame is rendered once beforehand and sent again and again. The first
// frame opens the viewer; the next nine fill the slots (timed apart, in
// filling); then frames timed frames replace the oldest, as in a long render.
IngestTiming measureIngest(const HostSession* session, int width, int height, int frames);
