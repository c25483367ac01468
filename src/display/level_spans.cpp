#include "display/level_spans.h"

#include <string.h>

#include "display/level_rounding.h"
#include "display/level_spans_avx2.h"

VectorPath vectorPathFor(const CpuidBits& bits)
{
    return avx2Usable(bits) ? VECTOR_AVX2 : VECTOR_SSE2;
}

static const VectorPath g_bestPath = vectorPathFor(readCpuidBits());
static VectorPath g_path = g_bestPath;

VectorPath activeVectorPath()
{
    return g_path;
}

VectorPath useVectorPath(VectorPath path)
{
    g_path = path == VECTOR_AVX2 ? g_bestPath : VECTOR_SSE2;
    return g_path;
}

// The scalar rule, which every span gives bit for bit.
uint8_t levelToByte(float value, float black, float range)
{
    double t = (double(value) - double(black)) * 255.0 / double(range);
    if (t > 255.0) return 255;
    float single = float(t);
    if (!(single >= 0.0f)) return 0;  // below zero, or NaN
    return uint8_t(single);
}

uint8_t alphaToByte(float value)
{
    double t = double(value) * 255.0;
    if (t > 255.0) return 255;
    float single = float(t);
    if (!(single >= 0.0f)) return 0;
    return uint8_t(single);
}

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

// The general levels in single precision between two brackets
// (level_rounding.h); lanes where they give different bytes are marked in
// unsure, and the caller converts those pixels again in double precision.
inline __m128i bracketedLevels(__m128 v, __m128 black, __m128 low, __m128 high, __m128i* unsure)
{
    __m128 d = _mm_sub_ps(v, black);
    __m128i below = clampTruncate(_mm_mul_ps(d, low));
    __m128i above = clampTruncate(_mm_mul_ps(d, high));
    *unsure = _mm_or_si128(*unsure, _mm_xor_si128(below, above));
    return below;
}

// Four pixels as words 0x00RRGGBB.
inline __m128i pixelWords(__m128i r, __m128i g, __m128i b)
{
    return _mm_or_si128(b, _mm_or_si128(_mm_slli_epi32(g, 8), _mm_slli_epi32(r, 16)));
}

// Four pixel words squeezed into the low twelve bytes: the second word of
// each half moves down one byte, then the upper half down two.
inline __m128i packBgr4(__m128i words)
{
    const __m128i lowWords = _mm_set_epi32(0, -1, 0, -1);
    const __m128i lowHalf = _mm_set_epi32(0, 0, -1, -1);
    __m128i halves = _mm_or_si128(_mm_and_si128(words, lowWords), _mm_srli_epi64(_mm_andnot_si128(lowWords, words), 8));
    return _mm_or_si128(_mm_and_si128(halves, lowHalf), _mm_srli_si128(_mm_andnot_si128(lowHalf, halves), 2));
}

// Sixteen pixels' bytes, four groups of twelve, as three whole stores.
inline void storeBgr16(uint8_t* out, __m128i a, __m128i b, __m128i c, __m128i d)
{
    __m128i* o = reinterpret_cast<__m128i*>(out);
    _mm_storeu_si128(o, _mm_or_si128(a, _mm_slli_si128(b, 12)));
    _mm_storeu_si128(o + 1, _mm_or_si128(_mm_srli_si128(b, 4), _mm_slli_si128(c, 8)));
    _mm_storeu_si128(o + 2, _mm_or_si128(_mm_srli_si128(c, 8), _mm_slli_si128(d, 4)));
}

// The rounding each path takes: exact products at the unit levels, the
// bracketed single-precision form for most others, double precision for
// the rest and for pixels the bracket leaves unsure.
enum Rounding { UNIT, BRACKETED, DOUBLE };

struct Levels4 {
    __m128d black, range;       // double precision
    __m128 blackF, low, high;   // single precision, for the bracket
};

Levels4 levels4Of(LevelSpan levels)
{
    const BracketScales scales = bracketScales(levels.range);
    return {_mm_set1_pd(double(levels.black)), _mm_set1_pd(double(levels.range)), _mm_set1_ps(levels.black),
            _mm_set1_ps(scales.low), _mm_set1_ps(scales.high)};
}

// Whether the bracket left any lane unsure.
inline bool anyUnsure(__m128i unsure)
{
    return _mm_movemask_epi8(_mm_cmpeq_epi32(unsure, _mm_setzero_si128())) != 0xFFFF;
}

// Four values of one channel through the levels, as 32-bit lanes.
template <Rounding R>
inline __m128i levels4(const float* v, const Levels4& l, __m128i* unsure)
{
    __m128 x = _mm_loadu_ps(v);
    if (R == UNIT) return unitLevels(x);
    if (R == BRACKETED) return bracketedLevels(x, l.blackF, l.low, l.high, unsure);
    return anyLevels(x, l.black, l.range);
}

template <Rounding R>
inline __m128i convert4(const float* red, const float* green, const float* blue, const Levels4& l, __m128i* unsure)
{
    return packBgr4(pixelWords(levels4<R>(red, l, unsure), levels4<R>(green, l, unsure), levels4<R>(blue, l, unsure)));
}

template <Rounding R>
inline void convert16(const float* red, const float* green, const float* blue, uint8_t* bgr, const Levels4& l,
                      __m128i* unsure)
{
    __m128i a = convert4<R>(red, green, blue, l, unsure);
    __m128i b = convert4<R>(red + 4, green + 4, blue + 4, l, unsure);
    __m128i c = convert4<R>(red + 8, green + 8, blue + 8, l, unsure);
    __m128i d = convert4<R>(red + 12, green + 12, blue + 12, l, unsure);
    storeBgr16(bgr, a, b, c, d);
}

template <Rounding R>
int colourVector(const float* red, const float* green, const float* blue, int n, uint8_t* bgr, LevelSpan levels)
{
    const Levels4 l = levels4Of(levels);
    int x = 0;
    for (; x + 16 <= n; x += 16) {
        __m128i unsure = _mm_setzero_si128();
        convert16<R>(red + x, green + x, blue + x, bgr + 3 * x, l, &unsure);
        if (R == BRACKETED && anyUnsure(unsure))
            convert16<DOUBLE>(red + x, green + x, blue + x, bgr + 3 * x, l, &unsure);
    }
    return x;
}

template <Rounding R>
inline void grey16(const float* v, uint8_t* out, const Levels4& l, __m128i* unsure)
{
    __m128i a = levels4<R>(v, l, unsure), b = levels4<R>(v + 4, l, unsure);
    __m128i c = levels4<R>(v + 8, l, unsure), d = levels4<R>(v + 12, l, unsure);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(_mm_packs_epi32(a, b), _mm_packs_epi32(c, d)));
}

template <Rounding R>
int greyVector(const float* v, int n, uint8_t* out, LevelSpan levels)
{
    const Levels4 l = levels4Of(levels);
    int x = 0;
    for (; x + 16 <= n; x += 16) {
        __m128i unsure = _mm_setzero_si128();
        grey16<R>(v + x, out + x, l, &unsure);
        if (R == BRACKETED && anyUnsure(unsure)) grey16<DOUBLE>(v + x, out + x, l, &unsure);
    }
    return x;
}

}  // namespace

void convertGreySpan(const float* values, int n, uint8_t* out, LevelSpan levels)
{
    int done;
    if (isUnitLevels(levels.black, levels.range))
        done = greyVector<UNIT>(values, n, out, levels);
    else if (bracketHolds(levels.black, levels.range))
        done = greyVector<BRACKETED>(values, n, out, levels);
    else
        done = greyVector<DOUBLE>(values, n, out, levels);
    for (int x = done; x < n; x++) out[x] = levelToByte(values[x], levels.black, levels.range);
}

void convertColourSpan(const float* red, const float* green, const float* blue, int n, uint8_t* bgr,
                       LevelSpan levels)
{
    int done = 0;
    if (g_path == VECTOR_AVX2)
        done = colourSpanAvx2(red, green, blue, n, bgr, levels.black, levels.range);
    else if (isUnitLevels(levels.black, levels.range))
        done = colourVector<UNIT>(red, green, blue, n, bgr, levels);
    else if (bracketHolds(levels.black, levels.range))
        done = colourVector<BRACKETED>(red, green, blue, n, bgr, levels);
    else
        done = colourVector<DOUBLE>(red, green, blue, n, bgr, levels);
    for (int x = done; x < n; x++) {
        bgr[3 * x] = levelToByte(blue[x], levels.black, levels.range);
        bgr[3 * x + 1] = levelToByte(green[x], levels.black, levels.range);
        bgr[3 * x + 2] = levelToByte(red[x], levels.black, levels.range);
    }
}

void convertAlphaSpan(const float* alpha, int n, uint8_t* out)
{
    int x = g_path == VECTOR_AVX2 ? alphaSpanAvx2(alpha, n, out) : 0;
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

void convertGreySpan(const float* values, int n, uint8_t* out, LevelSpan levels)
{
    for (int x = 0; x < n; x++) out[x] = levelToByte(values[x], levels.black, levels.range);
}

#endif
