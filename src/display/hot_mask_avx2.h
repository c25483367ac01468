// The hot test in AVX2, four pixels to a register, for processors that
// have it. The caller's packed tables give each pixel's {C1, C2, 0, L - Y}
// as the sum of its green-red entry and its blue entry (16-bit lanes).
#pragma once

#include <stdint.h>

struct HotLanes {
    const int16_t (*greenRed)[4];  // indexed by green | red << 8
    const int16_t (*blue)[4];
    int32_t chromaLimitSquared;
};

// Mask bytes from .. to-1 of one row, eight pixels (24 colour bytes) each,
// every pixel of them inside the row.
void hotMaskBytesAvx2(const uint8_t* colour, uint8_t* mask, int from, int to, const HotLanes& lanes);
