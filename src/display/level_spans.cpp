#include "display/level_spans.h"

#include <string.h>

#include "display/levels.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace {

// min(max(t, 0), 255) truncated: maxps yields its second operand for NaN,
// so NaN becomes 0; a value above 255 always rounds to 255 or more in
// single precision, so clamping after the rounding matches the scalar
// steps exactly.
inline __m128i clampTruncate(__m128 t)
{
    const __m128 zero = _mm_setzero_ps();
    const __m128 top = _mm_set1_ps(255.0f);
    return _mm_cvttps_epi32(_mm_min_ps(_mm_max_ps(t, zero), top));
}

// With black 0 and white 1, (v - 0) * 255 / 1 is exact in double, so the
// one rounding to single precision is the float product itself.
inline __m128i unitLevels(__m128 v)
{
    return clampTruncate(_mm_mul_ps(v, _mm_set1_ps(255.0f)));
}

// The general levels, in double precision as the scalar function does it.
inline __m128i anyLevels(__m128 v, __m128d black, __m128d range)
{
    const __m128d scale = _mm_set1_pd(255.0);
    __m128d lo = _mm_cvtps_pd(v);
    __m128d hi = _mm_cvtps_pd(_mm_movehl_ps(v, v));
    lo = _mm_div_pd(_mm_mul_pd(_mm_sub_pd(lo, black), scale), range);
    hi = _mm_div_pd(_mm_mul_pd(_mm_sub_pd(hi, black), scale), range);
    __m128 t = _mm_movelh_ps(_mm_cvtpd_ps(lo), _mm_cvtpd_ps(hi));
    return clampTruncate(t);
}

// Four pixels of blue, green, red words into twelve bytes.
inline void storeBgr4(uint8_t* out, __m128i r, __m128i g, __m128i b)
{
    __m128i words = _mm_or_si128(b, _mm_or_si128(_mm_slli_epi32(g, 8), _mm_slli_epi32(r, 16)));
    uint32_t w[4];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(w), words);
    memcpy(out, &w[0], 4);  // each store's fourth byte is overwritten by the next
    memcpy(out + 3, &w[1], 4);
    memcpy(out + 6, &w[2], 4);
    memcpy(out + 9, &w[3], 3);
}

template <bool Unit>
int colourVector(const float* red, const float* green, const float* blue, int n, uint8_t* bgr, LevelSpan levels)
{
    const __m128d black = _mm_set1_pd(double(levels.black));
    const __m128d range = _mm_set1_pd(double(levels.range));
    int x = 0;
    for (; x + 4 <= n; x += 4) {
        __m128 r = _mm_loadu_ps(red + x), g = _mm_loadu_ps(green + x), b = _mm_loadu_ps(blue + x);
        if (Unit)
            storeBgr4(bgr + 3 * x, unitLevels(r), unitLevels(g), unitLevels(b));
        else
            storeBgr4(bgr + 3 * x, anyLevels(r, black, range), anyLevels(g, black, range),
                      anyLevels(b, black, range));
    }
    return x;
}

}  // namespace

void convertColourSpan(const float* red, const float* green, const float* blue, int n, uint8_t* bgr,
                       LevelSpan levels)
{
    bool unit = levels.black == 0.0f && levels.range == 1.0f;
    int done = unit ? colourVector<true>(red, green, blue, n, bgr, levels)
                    : colourVector<false>(red, green, blue, n, bgr, levels);
    for (int x = done; x < n; x++) {
        bgr[3 * x] = levelToByte(blue[x], levels.black, levels.range);
        bgr[3 * x + 1] = levelToByte(green[x], levels.black, levels.range);
        bgr[3 * x + 2] = levelToByte(red[x], levels.black, levels.range);
    }
}

void convertAlphaSpan(const float* alpha, int n, uint8_t* out)
{
    int x = 0;
    for (; x + 16 <= n; x += 16) {
        __m128i a = unitLevels(_mm_loadu_ps(alpha + x));
        __m128i b = unitLevels(_mm_loadu_ps(alpha + x + 4));
        __m128i c = unitLevels(_mm_loadu_ps(alpha + x + 8));
        __m128i d = unitLevels(_mm_loadu_ps(alpha + x + 12));
        __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(a, b), _mm_packs_epi32(c, d));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), bytes);
    }
    for (; x < n; x++) out[x] = alphaToByte(alpha[x]);
}

#else  // no SSE2: the scalar functions themselves

void convertColourSpan(const float* red, const float* green, const float* blue, int n, uint8_t* bgr,
                       LevelSpan levels)
{
    for (int x = 0; x < n; x++) {
        bgr[3 * x] = levelToByte(blue[x], levels.black, levels.range);
        bgr[3 * x + 1] = levelToByte(green[x], levels.black, levels.range);
        bgr[3 * x + 2] = levelToByte(red[x], levels.black, levels.range);
    }
}

void convertAlphaSpan(const float* alpha, int n, uint8_t* out)
{
    for (int x = 0; x < n; x++) out[x] = alphaToByte(alpha[x]);
}

#endif
