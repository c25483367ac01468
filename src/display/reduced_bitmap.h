// The picture below one to one: every step-th pixel of a display bitmap,
// chosen here rather than by the platform's stretching. Asked to shrink,
// GDI picks for itself which pixel of each group stays (Wine keeps the last
// of a row's group, the first of a column's), and the readout could not
// name what the screen shows.
#pragma once

#include <stdint.h>

#include "image/display_bitmap.h"

// A width × height bitmap of the source's kind and colour table whose pixel
// (i, j) is the source's pixel (x + i × step, y + j × step), rows counted
// from the top. Null when memory runs out or the rectangle leaves the source.
DisplayBitmap* reduceBitmap(const DisplayBitmap* source, int32_t x, int32_t y, int32_t step, int32_t width,
                            int32_t height);

// The same into *scratch, a bitmap kept by the caller from an earlier call:
// it is reused when it has the kind and size asked for, and made anew (the
// old one freed) otherwise, so a repaint does not allocate the picture
// again. Returns *scratch, or null (with *scratch freed) on failure.
DisplayBitmap* reduceBitmapInto(DisplayBitmap** scratch, const DisplayBitmap* source, int32_t x, int32_t y,
                                int32_t step, int32_t width, int32_t height);
