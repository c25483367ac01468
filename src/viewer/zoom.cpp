#include "viewer/zoom.h"

float zoomScaleOf(int zoomIndex)
{
    if (zoomIndex >= ZOOM_ONE) return float(zoomIndex - 63);
    return 1.0f / float(65 - zoomIndex);
}

int32_t scaledSize(int32_t size, float scale)
{
    return int32_t(float(size) * scale);
}
