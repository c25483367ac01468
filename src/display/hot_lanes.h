// The hot test's packed tables as both vector paths read them: each
// pixel's {C1, C2, 0, L - Y} is the sum of its green-red entry and its blue
// entry, as 16-bit lanes.
#pragma once

#include <stdint.h>
#include <string.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

struct HotLanes {
    const int16_t (*greenRed)[4];  // indexed by green | red << 8
    const int16_t (*blue)[4];
    int32_t chromaLimitSquared;
};

#if defined(__SSE2__)
// {C1, C2, 0, L - Y} of the pixel whose blue, green, red bytes are at bgr.
inline __m128i laneSums(const HotLanes& t, const uint8_t* bgr)
{
    uint16_t greenRed;
    memcpy(&greenRed, bgr + 1, 2);  // little-endian: green low, red high
    __m128i v = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(t.greenRed[greenRed]));
    return _mm_add_epi16(v, _mm_loadl_epi64(reinterpret_cast<const __m128i*>(t.blue[bgr[0]])));
}
#endif
