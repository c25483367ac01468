#include "display/level_spans_avx2.h"

#include "display/level_rounding.h"

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>

// Only these functions use the AVX2 instructions; the rest of the program
// runs on any SSE2 processor.
#define AVX2 __attribute__((target("avx2")))

namespace {

// As the SSE2 path: maxps yields its second operand for NaN, so NaN
// becomes 0; clamping after the rounding to single precision matches the
// scalar steps exactly.
AVX2 inline __m256i clampTruncate(__m256 t)
{
    return _mm256_cvttps_epi32(_mm256_min_ps(_mm256_max_ps(t, _mm256_setzero_ps()), _mm256_set1_ps(255.0f)));
}

AVX2 inline __m256i unitLevels(__m256 v)
{
    return clampTruncate(_mm256_mul_ps(v, _mm256_set1_ps(255.0f)));
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
    return clampTruncate(t);
}

// In single precision between two brackets (level_rounding.h); lanes
// where they give different bytes are marked in unsure.
AVX2 inline __m256i bracketedLevels(__m256 v, __m256 black, __m256 low, __m256 high, __m256i* unsure)
{
    __m256 d = _mm256_sub_ps(v, black);
    __m256i below = clampTruncate(_mm256_mul_ps(d, low));
    __m256i above = clampTruncate(_mm256_mul_ps(d, high));
    *unsure = _mm256_or_si256(*unsure, _mm256_xor_si256(below, above));
    return below;
}

// Eight pixels from words 0x00RRGGBB to 24 bytes: each lane's four words
// to its low twelve bytes, then the two twelves side by side.
AVX2 inline void storeBgr8(uint8_t* out, __m256i r, __m256i g, __m256i b)
{
    __m256i words = _mm256_or_si256(b, _mm256_or_si256(_mm256_slli_epi32(g, 8), _mm256_slli_epi32(r, 16)));
    const __m256i squeeze = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1,  //
                                             0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    __m256i packed = _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(words, squeeze),
                                                 _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm256_castsi256_si128(packed));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 16), _mm256_extracti128_si256(packed, 1));
}

enum Rounding { UNIT, BRACKETED, DOUBLE };

template <Rounding R>
AVX2 int colourVector(const float* red, const float* green, const float* blue, int n, uint8_t* bgr, float black0,
                      float range0)
{
    const __m256d black = _mm256_set1_pd(double(black0));
    const __m256d range = _mm256_set1_pd(double(range0));
    const __m256 blackF = _mm256_set1_ps(black0);
    const BracketScales scales = bracketScales(range0);
    const __m256 low = _mm256_set1_ps(scales.low), high = _mm256_set1_ps(scales.high);
    int x = 0;
    for (; x + 8 <= n; x += 8) {
        __m256 r = _mm256_loadu_ps(red + x), g = _mm256_loadu_ps(green + x), b = _mm256_loadu_ps(blue + x);
        if (R == UNIT) {
            storeBgr8(bgr + 3 * x, unitLevels(r), unitLevels(g), unitLevels(b));
            continue;
        }
        if (R == BRACKETED) {
            __m256i unsure = _mm256_setzero_si256();
            __m256i rb = bracketedLevels(r, blackF, low, high, &unsure);
            __m256i gb = bracketedLevels(g, blackF, low, high, &unsure);
            __m256i bb = bracketedLevels(b, blackF, low, high, &unsure);
            if (_mm256_testz_si256(unsure, unsure)) {
                storeBgr8(bgr + 3 * x, rb, gb, bb);
                continue;
            }
        }
        storeBgr8(bgr + 3 * x, anyLevels(r, black, range), anyLevels(g, black, range), anyLevels(b, black, range));
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
