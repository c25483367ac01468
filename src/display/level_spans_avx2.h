// The AVX2 forms of the span conversions, for processors that have it.
// Each converts the longest prefix it can in whole vectors and returns its
// length; the caller finishes the rest with the scalar rule.
#pragma once

#include <stdint.h>

// range: white - black, in single precision.
int colourSpanAvx2(const float* red, const float* green, const float* blue, int n, uint8_t* bgr, float black,
                   float range);
int alphaSpanAvx2(const float* alpha, int n, uint8_t* out);
