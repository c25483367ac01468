#include "display/level_spans_avx2.h"

#include "display/level_rounding.h"

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>

// Only these functions use the AVX2 instructions; the rest of the program
// runs on any SSE2 processor.
#define AVX2 __attribute__((target("avx2")))

namespace {

// The packs to bytes saturate, which does the clamping: cvttps gives
// INT_MIN for NaN and for anything beyond 32 bits, and the packs take
// negatives to 0 and values above 255 to 255. Only large positives must
// first come below 2^31; minps yields its second operand when either is
// NaN, so with the sample second a NaN stays NaN and ends as 0. The
// truncation after the rounding to single precision matches the scalar
// steps exactly.
AVX2 inline __m256i truncateSaturating(__m256 t)
{
    return _mm256_cvttps_epi32(_mm256_min_ps(_mm256_set1_ps(256.0f), t));
}

AVX2 inline __m256i unitLevels(__m256 v)
{
    return truncateSaturating(_mm256_mul_ps(v, _mm256_set1_ps(255.0f)));
}

// In double precision, as levelToByte does it.
AVX2 inline __m256i anyLevels(__m256 v, __m256d black, __m256d range)
{
    const __m256d scale = _mm256_set1_pd(255.0);
    __m256d lo = _mm256_cvtps_pd(_mm256_castps256_ps128(v));
    __m256d hi = _mm256_cvtps_pd(_mm256_extractf128_ps(v, 1));
    lo = _mm256_div_pd(_mm256_mul_pd(_mm256_sub_pd(lo, black), scale), range);
    hi = _mm256_div_pd(_mm256_mul_pd(_mm256_sub_pd(hi, black), scale), range);
    __m256 t = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm256_cvtpd_ps(lo)), _mm256_cvtpd_ps(hi), 1);
    return truncateSaturating(t);
}

// Eight pixels' channels, saturated to bytes: each 128-bit lane holds its
// four pixels as b0..b3 g0..g3 r0..r3 r0..r3.
AVX2 inline __m256i channelBytes(__m256i r, __m256i g, __m256i b)
{
    return _mm256_packus_epi16(_mm256_packs_epi32(b, g), _mm256_packs_epi32(r, r));
}

// Those bytes as 24 bytes blue, green, red: each lane's twelve interleaved
// to its low twelve bytes, then the two twelves side by side.
AVX2 inline void storeBgr8(uint8_t* out, __m256i bytes)
{
    const __m256i interleave = _mm256_setr_epi8(0, 4, 8, 1, 5, 9, 2, 6, 10, 3, 7, 11, -1, -1, -1, -1,  //
                                                0, 4, 8, 1, 5, 9, 2, 6, 10, 3, 7, 11, -1, -1, -1, -1);
    __m256i packed = _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(bytes, interleave),
                                                 _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm256_castsi256_si128(packed));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 16), _mm256_extracti128_si256(packed, 1));
}

enum Rounding { UNIT, BRACKETED, DOUBLE };

struct Levels8 {
    __m256d black, range;  // double precision
    __m256 blackF, low, high;  // single precision, for the bracket (level_rounding.h)
};

// The bytes at both brackets; where any differs the caller converts again
// in double precision.
AVX2 inline bool bracketed(__m256 r, __m256 g, __m256 b, const Levels8& l, __m256i* bytes)
{
    __m256 dr = _mm256_sub_ps(r, l.blackF), dg = _mm256_sub_ps(g, l.blackF), db = _mm256_sub_ps(b, l.blackF);
    __m256i below = channelBytes(truncateSaturating(_mm256_mul_ps(dr, l.low)),
                                 truncateSaturating(_mm256_mul_ps(dg, l.low)),
                                 truncateSaturating(_mm256_mul_ps(db, l.low)));
    __m256i above = channelBytes(truncateSaturating(_mm256_mul_ps(dr, l.high)),
                                 truncateSaturating(_mm256_mul_ps(dg, l.high)),
                                 truncateSaturating(_mm256_mul_ps(db, l.high)));
    *bytes = below;
    __m256i differ = _mm256_xor_si256(below, above);
    return _mm256_testz_si256(differ, differ);
}

template <Rounding R>
AVX2 int colourVector(const float* red, const float* green, const float* blue, int n, uint8_t* bgr, float black,
                      float range)
{
    const BracketScales scales = bracketScales(range);
    const Levels8 l = {_mm256_set1_pd(double(black)), _mm256_set1_pd(double(range)), _mm256_set1_ps(black),
                       _mm256_set1_ps(scales.low), _mm256_set1_ps(scales.high)};
    int x = 0;
    for (; x + 8 <= n; x += 8) {
        __m256 r = _mm256_loadu_ps(red + x), g = _mm256_loadu_ps(green + x), b = _mm256_loadu_ps(blue + x);
        __m256i bytes;
        if (R == UNIT)
            bytes = channelBytes(unitLevels(r), unitLevels(g), unitLevels(b));
        else if (R == DOUBLE || !bracketed(r, g, b, l, &bytes))
            bytes = channelBytes(anyLevels(r, l.black, l.range), anyLevels(g, l.black, l.range),
                                 anyLevels(b, l.black, l.range));
        storeBgr8(bgr + 3 * x, bytes);
    }
    return x;
}

}  // namespace

AVX2 int colourSpanAvx2(const float* red, const float* green, const float* blue, int n, uint8_t* bgr, float black,
                        float range)
{
    if (isUnitLevels(black, range)) return colourVector<UNIT>(red, green, blue, n, bgr, black, range);
    if (bracketHolds(black, range)) return colourVector<BRACKETED>(red, green, blue, n, bgr, black, range);
    return colourVector<DOUBLE>(red, green, blue, n, bgr, black, range);
}

// Thirty-two samples a step. The packs work within each 128-bit lane, so
// the dwords come out as a0 b0 c0 d0 a1 b1 c1 d1 and are put back in order.
AVX2 int alphaSpanAvx2(const float* alpha, int n, uint8_t* out)
{
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    int x = 0;
    for (; x + 32 <= n; x += 32) {
        __m256i a = unitLevels(_mm256_loadu_ps(alpha + x));
        __m256i b = unitLevels(_mm256_loadu_ps(alpha + x + 8));
        __m256i c = unitLevels(_mm256_loadu_ps(alpha + x + 16));
        __m256i d = unitLevels(_mm256_loadu_ps(alpha + x + 24));
        __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(a, b), _mm256_packs_epi32(c, d));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), _mm256_permutevar8x32_epi32(bytes, order));
    }
    return x;
}

#else  // not an x86 processor: nothing is done here

int colourSpanAvx2(const float*, const float*, const float*, int, uint8_t*, float, float)
{
    return 0;
}

int alphaSpanAvx2(const float*, int, uint8_t*)
{
    return 0;
}

#endif
