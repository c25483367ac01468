// The picture below one to one: one pixel for each step × step group of a
// display bitmap, chosen here rather than by the platform's stretching.
// Asked to shrink, GDI picks for itself which pixel of each group stays
// (Wine keeps the last of a row's group, the first of a column's), and the
// readout could not name what the screen shows.
#pragma once

#include <stdint.h>

#include "image/display_bitmap.h"

// How a group becomes one pixel. By default its top-left pixel stands for
// it. Pictures that exist so that nothing hides keep what matters instead:
//  - largest: each channel's largest value in the group; of a mask, 0 (a
//    hot pixel) wherever any pixel of the group is 0. The difference view.
//  - chooser: a mask of the source's size; the group's first pixel with a
//    0 bit (rows top-down, then left to right) stands for it, when it has
//    one. The hot view, so that a hot pixel never vanishes when zoomed out.
struct ReduceRule {
    bool largest;
    const DisplayBitmap* chooser;
};

// A width × height bitmap of the source's kind and colour table whose pixel
// (i, j) stands for the source's group whose top-left pixel is (x + i ×
// step, y + j × step), rows counted from the top; a group reaching past
// the source's edge has the pixels that exist. Null when memory runs out or
// a group's top-left pixel lies outside the source.
DisplayBitmap* reduceBitmap(const DisplayBitmap* source, int32_t x, int32_t y, int32_t step, int32_t width,
                            int32_t height, ReduceRule rule = ReduceRule{});

// The same into *scratch, a bitmap kept by the caller from an earlier call:
// it is reused when it has the kind and size asked for, and made anew (the
// old one freed) otherwise, so a repaint does not allocate the picture
// again. Returns *scratch, or null (with *scratch freed) on failure.
DisplayBitmap* reduceBitmapInto(DisplayBitmap** scratch, const DisplayBitmap* source, int32_t x, int32_t y,
                                int32_t step, int32_t width, int32_t height, ReduceRule rule = ReduceRule{});

// The pixel the readout names for the group whose top-left pixel is
// (*x, *y), so that it is one the screen shows: under `largest`, the
// group's first pixel with the largest value in the bytes of byteMask (bit
// b for byte b of a colour pixel, B G R; a grey pixel's one byte always
// counts); under a chooser, its first 0 bit; else (*x, *y) unchanged.
void groupPixel(const DisplayBitmap* source, ReduceRule rule, unsigned byteMask, int32_t step, int32_t* x,
                int32_t* y);
