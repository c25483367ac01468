// The inner loops of the display conversion: one row span at a time, with
// AVX2 where the processor and the operating system give it, else SSE2.
// Results are bit-identical to levelToByte and alphaToByte for every input,
// NaN and infinities included.
#pragma once

#include <stdint.h>

#include "display/cpu_features.h"

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

// n values of one channel through the levels into n bytes (SSE2 on both
// paths: it serves the difference view's alpha, a third of its work).
void convertGreySpan(const float* values, int n, uint8_t* out, LevelSpan levels);

enum VectorPath { VECTOR_SSE2 = 0, VECTOR_AVX2 = 1 };

// The path for a processor with these feature registers.
VectorPath vectorPathFor(const CpuidBits& bits);

// The path the spans take, chosen once from this processor's registers.
VectorPath activeVectorPath();

// Makes the spans take path, for tests and benchmarks; AVX2 only where
// this processor has it. The path in force afterwards.
VectorPath useVectorPath(VectorPath path);
