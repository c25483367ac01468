// The inner loops of the display conversion: one row span at a time, with
// SSE2 where the processor has it. Results are bit-identical to
// levelToByte and alphaToByte for every input, NaN and infinities included.
#pragma once

#include <stdint.h>

// One value through the levels, and one alpha sample (no levels).
uint8_t levelToByte(float value, float black, float range);
uint8_t alphaToByte(float value);

struct LevelSpan {
    float black;
    float range;  // white - black, in single precision
};

// n pixels of three float channels into n × (blue, green, red) bytes.
void convertColourSpan(const float* red, const float* green, const float* blue, int n, uint8_t* bgr,
                       LevelSpan levels);

// n alpha samples into n bytes.
void convertAlphaSpan(const float* alpha, int n, uint8_t* out);
