#include "viewer/zoom.h"

float zoomScaleOf(int zoomIndex)
{
    if (zoomIndex >= ZOOM_ONE) return float(zoomIndex - 63);
    return 1.0f / float(65 - zoomIndex);
}

int32_t scaledSize(int32_t size, int zoomIndex)
{
    if (zoomIndex >= ZOOM_ONE) return int32_t(int64_t(size) * (zoomIndex - 63));
    return size / (65 - zoomIndex);
}

// The smallest power of two above n, at most 65; the largest below n.
static int powerOfTwoAbove(int n)
{
    int p = 1;
    while (p <= n) p *= 2;
    return p > 64 ? 65 : p;
}

static int powerOfTwoBelow(int n)
{
    int p = 1;
    while (p * 2 < n) p *= 2;
    return p;
}

int wheelZoomIndex(int zoomIndex, int direction)
{
    if (zoomIndex < ZOOM_MIN || zoomIndex > ZOOM_MAX || direction == 0) return zoomIndex;
    // A signed step count: magnification m as m, divisor d as -d (1x is 1).
    int level = zoomIndex >= ZOOM_ONE ? zoomIndex - 63 : -(65 - zoomIndex);
    int magnitude = level > 0 ? level : -level;
    bool growing = (level > 0) == (direction > 0);  // away from 1x
    if (level == 1) {
        level = direction > 0 ? 2 : -2;
    } else if (growing) {
        if (magnitude >= 65) return zoomIndex;
        level = (level > 0 ? 1 : -1) * powerOfTwoAbove(magnitude);
    } else {
        int next = powerOfTwoBelow(magnitude);
        level = next == 1 ? 1 : (level > 0 ? next : -next);
    }
    return level > 0 ? level + 63 : 65 + level;
}

int wheelNotches(int* rest, int delta)
{
    if ((*rest > 0 && delta < 0) || (*rest < 0 && delta > 0)) *rest = 0;
    *rest += delta;
    int notches = *rest / 120;
    *rest -= notches * 120;
    return notches;
}
