// How fast frames go from the host into a visible viewer: open, then for
// each frame begin, a write per row and pause, until the viewer has painted
// it; and where that time goes.
#pragma once

#include "zrhost/host_session.h"

struct IngestTiming {
    double perFrame;  // ms from begin to the frame painted; negative when the viewer never showed one
    double begin;     // ms in begin: the new image's memory
    double rows;      // ms in the writes: row copies and first touch of the image
    double handOver;  // ms from pause until the viewer names the frame: slot, bitmaps, conversion
    double painting;  // ms from then until the pane has nothing left to paint
    double repaint;   // ms for one more full repaint of the pane alone, forced afterwards
};

// The frame is rendered once beforehand and sent again and again; the
// first frame opens the viewer and is not counted.
IngestTiming measureIngest(const HostSession* session, int width, int height, int frames);
