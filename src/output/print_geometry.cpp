#include "output/print_geometry.h"

int placeOnPage(int32_t imageWidth, int32_t imageHeight, int32_t pelsPerMeterX, int32_t pelsPerMeterY,
                int32_t dpiX, int32_t dpiY, int32_t pageWidth, int32_t pageHeight, PrintPlacement* out)
{
    if (dpiX <= 0 || dpiY <= 0 || pageWidth <= 0 || pageHeight <= 0 || imageWidth <= 0 || imageHeight <= 0)
        return 0;
    const float px = float(dpiX), py = float(dpiY);
    const float pw = float(pageWidth) / px, ph = float(pageHeight) / py;  // inches
    const float ix = pelsPerMeterX > 0 ? float(pelsPerMeterX) / 39.37f : 72.0f;
    const float iy = pelsPerMeterY > 0 ? float(pelsPerMeterY) / 39.37f : ix;
    float iw = float(imageWidth) / ix, ih = float(imageHeight) / iy;
    const float sx = iw / pw, sy = ih / ph;
    if (sx > 1.0f || sy > 1.0f) {
        const float s = sx > sy ? sx : sy;
        iw /= s;
        ih /= s;
    }
    out->x = int32_t((pw - iw) * px / 2);
    out->y = int32_t((ph - ih) * py / 2);
    out->width = int32_t(iw * px);
    out->height = int32_t(ih * py);
    return 1;
}
