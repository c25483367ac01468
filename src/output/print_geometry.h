// Where a bitmap lands on a printed page: at its own resolution (72 pixels
// per inch when it names none), shrunk to fit the printable area when it is
// larger, never enlarged, and centred. In single precision, as printed.
#pragma once

#include <stdint.h>

struct PrintPlacement {
    int32_t x, y, width, height;  // printer pixels
};

// dpiX, dpiY: the printer's pixels per inch; pageWidth, pageHeight: its
// printable area in pixels. pelsPerMeterX, Y: the bitmap's own resolution,
// 0 for none. 0 when the printer's numbers cannot place anything.
int placeOnPage(int32_t imageWidth, int32_t imageHeight, int32_t pelsPerMeterX, int32_t pelsPerMeterY,
                int32_t dpiX, int32_t dpiY, int32_t pageWidth, int32_t pageHeight, PrintPlacement* out);
