#include "viewer/progress.h"

ProgressAction progressStep(ProgressMeter* meter, int n, uint32_t now)
{
    if (n != 0) {
        meter->total = n;
        meter->current = 0;
        meter->counted = 0;
        meter->lastTick = now;
        return PROGRESS_DRAW;
    }
    meter->counted++;
    if (meter->lastTick <= now && now - meter->lastTick <= 50 && meter->counted != meter->total) return PROGRESS_NONE;
    meter->current = meter->counted;
    meter->lastTick = now;
    return meter->total <= meter->current ? PROGRESS_CLEAR : PROGRESS_DRAW;
}

int progressFilledWidth(const ProgressMeter* meter, int width)
{
    if (meter->total == 0) return 0;
    return int(int64_t(width) * meter->current / meter->total);
}
