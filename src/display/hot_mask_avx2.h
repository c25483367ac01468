// The hot test in AVX2, four pixels to a register, for processors that
// have it, on the caller's packed tables.
#pragma once

#include <stdint.h>

#include "display/hot_lanes.h"

// Mask bytes from .. to-1 of one row, eight pixels (24 colour bytes) each,
// every pixel of them inside the row.
void hotMaskBytesAvx2(const uint8_t* colour, uint8_t* mask, int from, int to, const HotLanes& lanes);
