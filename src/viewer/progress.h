// The progress meter's bookkeeping: how far a writer has come and when the
// meter is drawn. At most one drawing per 50 ms, except the final step,
// which clears the meter; a tick count that wrapped around always draws.
#pragma once

#include <stdint.h>

struct ProgressMeter {
    int32_t total;
    int32_t current;  // the step last drawn
    int32_t counted;  // steps reported so far
    uint32_t lastTick;
};

enum ProgressAction { PROGRESS_NONE, PROGRESS_DRAW, PROGRESS_CLEAR };

// n != 0 starts a meter of n steps (draw it empty); n == 0 is one step.
ProgressAction progressStep(ProgressMeter* meter, int n, uint32_t now);

// Columns of the meter to fill.
int progressFilledWidth(const ProgressMeter* meter, int width);
