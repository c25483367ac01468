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
