// Which arithmetic gives the levels' bytes exactly, shared by the SSE2 and
// AVX2 spans.
//
// At black 0 and white 1 the single-precision product v × 255 is the one
// rounding the scalar rule makes. For other levels the spans compute, in
// single precision, (v - black) × s for the two scales s = (255 / range) ×
// (1 ∓ 2^-21). Four roundings of at most 2^-24 each (the difference, the
// quotient, the scale, the product) move them by about 2^-22 relative at
// most, half the bracket, so they stay below and above the rule's
// double-precision value t, which is within 2^-51 of exact. The byte only
// grows with t, so the two bytes bracket the true one; where they agree it
// is found, and where they differ (t within 2^-21 of a byte boundary,
// relative to its size: about one sample in eight thousand) those pixels
// are converted again in double precision.
#pragma once

#include <math.h>

const float BRACKET_LOW = 1.0f - 1.0f / 2097152.0f;  // 1 - 2^-21, exact in single precision
const float BRACKET_HIGH = 1.0f + 1.0f / 2097152.0f;

struct BracketScales {
    float low, high;
};

inline BracketScales bracketScales(float range)
{
    float scale = 255.0f / range;
    return {scale * BRACKET_LOW, scale * BRACKET_HIGH};
}

inline bool isUnitLevels(float black, float range)
{
    return black == 0.0f && range == 1.0f;
}

// The bound needs finite levels and a finite single-precision 255 / range.
// Infinite and NaN samples need nothing: they keep their sign through
// every step, as in the rule.
inline bool bracketHolds(float black, float range)
{
    return isfinite(black) && isfinite(range) && fabsf(range) >= 0x1p-90f;
}
