#include "display/hot_pixels.h"

#include <math.h>
#include <string.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "image/view.h"

namespace {

struct HotTables {
    int32_t t[3][3][256];  // [matrix row Y, C1, C2][red, green, blue][display byte]
    int32_t lumaLimit;
    int32_t chromaLimit;
    int64_t chromaLimitSquared;  // 64-bit: a generous limit must not overflow
    bool disabled;               // pedestal at or above 100 IRE
    // The same entries for the vector test: per channel and byte the 16-bit
    // lanes {C1, C2, -Y, 0}. Usable when every sum and square fits its lane.
    alignas(8) int16_t packed[3][256][4];
    bool packedUsable;
};

HotTables g_tables;

const double NTSC[3][3] = {
    {0.2989, 0.5866, 0.1144},
    {0.5959, -0.2741, -0.3218},
    {0.2113, -0.5227, 0.3113},
};
const double PAL[3][3] = {
    {0.2989, 0.5866, 0.1144},
    {-0.1473, -0.2891, 0.4364},
    {0.6149, -0.5145, -0.1004},
};

// x + 0.5 truncated toward zero, kept inside 32 bits; NaN (from NaN
// parameters) means no limit at all.
int32_t fixedPoint(double x)
{
    double t = x + 0.5;
    if (isnan(t) || t >= 2147483647.0) return INT32_MAX;
    if (t <= -2147483648.0) return INT32_MIN;
    return int32_t(t);
}

// The packed lanes are exact when L - Y stays a 16-bit value for every Y the
// tables give (0 to about 8300) and the squared chroma limit is a positive
// 32-bit value: any sensible limits.
void packTables(HotTables& h)
{
    for (int k = 0; k < 3; k++)
        for (int v = 0; v < 256; v++) {
            h.packed[k][v][0] = int16_t(h.t[1][k][v]);
            h.packed[k][v][1] = int16_t(h.t[2][k][v]);
            h.packed[k][v][2] = int16_t(-h.t[0][k][v]);
            h.packed[k][v][3] = 0;
        }
    h.packedUsable = !h.disabled && h.lumaLimit >= -16384 && h.lumaLimit <= 32767 && h.chromaLimit >= 0 &&
                     h.chromaLimit <= 46340;
}

inline int hotTest(const HotTables& h, int r, int g, int b)
{
    int32_t y = h.t[0][0][r] + h.t[0][1][g] + h.t[0][2][b];
    if (y > h.lumaLimit) return 1;
    int64_t c1 = h.t[1][0][r] + h.t[1][1][g] + h.t[1][2][b];
    int64_t c2 = h.t[2][0][r] + h.t[2][1][g] + h.t[2][2][b];
    int64_t s = c1 * c1 + c2 * c2;
    if (s > h.chromaLimitSquared) return 1;
    int64_t headroom = int64_t(h.lumaLimit) - y;  // 0 or more here
    return s > headroom * headroom;
}

void maskBytesScalar(const uint8_t* colour, int width, uint8_t* mask, int from, int to)
{
    const HotTables& h = g_tables;
    for (int byte = from; byte < to; byte++) {
        int x0 = byte * 8;
        int n = width - x0;
        if (n > 8) n = 8;
        uint8_t bits = 0;
        if (!h.disabled) {
            const uint8_t* p = colour + 3 * x0;
            for (int i = 0; i < n; i++, p += 3) bits |= uint8_t(hotTest(h, p[2], p[1], p[0]) << (7 - i));
        }
        mask[byte] = uint8_t(~bits);
    }
}

#if defined(__SSE2__)

inline __m128i packedSum(const HotTables& h, const uint8_t* bgr)
{
    __m128i v = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(h.packed[0][bgr[2]]));
    v = _mm_add_epi16(v, _mm_loadl_epi64(reinterpret_cast<const __m128i*>(h.packed[1][bgr[1]])));
    return _mm_add_epi16(v, _mm_loadl_epi64(reinterpret_cast<const __m128i*>(h.packed[2][bgr[0]])));
}

// Two pixels at once; bits 0 and 2 of the result are their hot flags. With
// lanes {C1, C2, L - Y, 0}, one multiply-add gives C1² + C2² and (L - Y)²
// side by side as exact 32-bit values.
inline int hotPair(const HotTables& h, const uint8_t* p, const uint8_t* q, __m128i limit, __m128i chromaSq)
{
    __m128i v = _mm_add_epi16(_mm_unpacklo_epi64(packedSum(h, p), packedSum(h, q)), limit);
    __m128i sq = _mm_madd_epi16(v, v);                                           // {S, D², S, D²}
    __m128i overChroma = _mm_cmpgt_epi32(sq, chromaSq);                          // S > chroma limit²
    __m128i overComposite = _mm_cmpgt_epi32(sq, _mm_srli_epi64(sq, 32));         // S > (L - Y)²
    __m128i overLuma = _mm_srli_epi64(_mm_srai_epi32(_mm_slli_epi32(v, 16), 31), 32);  // L - Y < 0
    __m128i hot = _mm_or_si128(overLuma, _mm_or_si128(overChroma, overComposite));
    return _mm_movemask_ps(_mm_castsi128_ps(hot));
}

// Whole mask bytes, eight existing pixels each.
void maskBytesVector(const uint8_t* colour, uint8_t* mask, int from, int to)
{
    const HotTables& h = g_tables;
    const __m128i limit = _mm_set_epi16(0, int16_t(h.lumaLimit), 0, 0, 0, int16_t(h.lumaLimit), 0, 0);
    const __m128i chromaSq = _mm_set1_epi32(int32_t(h.chromaLimitSquared));
    for (int byte = from; byte < to; byte++) {
        const uint8_t* p = colour + 24 * byte;
        int bits = 0;
        for (int i = 0; i < 8; i += 2) {
            int m = hotPair(h, p + 3 * i, p + 3 * i + 3, limit, chromaSq);
            bits |= ((m & 1) << (7 - i)) | (((m >> 2) & 1) << (6 - i));
        }
        mask[byte] = uint8_t(~bits);
    }
}

#endif

// Mask bytes from..to-1 of one row from the matching colour row. Bits past
// the last pixel are set (not hot); the colour row is never read past its
// width.
void maskBytes(const uint8_t* colour, int width, uint8_t* mask, int from, int to)
{
#if defined(__SSE2__)
    if (g_tables.packedUsable) {
        int whole = width / 8;
        int end = to < whole ? to : whole;
        if (from < end) {
            maskBytesVector(colour, mask, from, end);
            from = end;
        }
    }
#endif
    maskBytesScalar(colour, width, mask, from, to);
}

void prepareForView(const View* view)
{
    prepareHotTables(view->hot.videoStandard, view->hot.pedestal, view->hot.compositeLimit, view->hot.chromaLimit);
}

}  // namespace

void prepareHotTables(int standard, double pedestal, double composite, double chroma)
{
    HotTables& h = g_tables;
    const double(*m)[3] = standard == 0 ? NTSC : PAL;
    double gamma = standard == 0 ? 1.0 / 2.2 : 1.0 / 2.8;
    for (int v = 0; v < 256; v++) {
        double e = pow(v / 255.0, gamma) * HOT_SCALE;
        for (int j = 0; j < 3; j++)
            for (int k = 0; k < 3; k++) h.t[j][k][v] = int32_t(m[j][k] * e + 0.5);
    }
    double span = 100.0 - pedestal;
    h.disabled = !(span > 0.0);
    h.lumaLimit = h.disabled ? INT32_MAX : fixedPoint((composite - pedestal) / span * HOT_SCALE);
    h.chromaLimit = h.disabled ? INT32_MAX : fixedPoint(chroma / span * HOT_SCALE);
    h.chromaLimitSquared = int64_t(h.chromaLimit) * h.chromaLimit;
    packTables(h);
}

int isHotPixel(int red, int green, int blue)
{
    if (g_tables.disabled) return 0;
    return hotTest(g_tables, red & 255, green & 255, blue & 255);
}

int32_t hotLumaLimit()
{
    return g_tables.lumaLimit;
}

int32_t hotChromaLimit()
{
    return g_tables.chromaLimit;
}

void buildHotMask(View* view)
{
    prepareForView(view);
    const DisplayBitmap* colour = view->colour;
    DisplayBitmap* mask = view->hotMask;
    for (int y = 0; y < mask->height; y++)
        maskBytes(bitmapRow(colour, y), colour->width, bitmapRow(mask, y), 0, mask->stride);
}

void updateHotMaskRect(View* view, int x, int y, int w, int h)
{
    prepareForView(view);
    const DisplayBitmap* colour = view->colour;
    DisplayBitmap* mask = view->hotMask;
    if (x < 0 || y < 0 || w <= 0 || h <= 0 || x >= colour->width || y >= colour->height) return;
    if (h > colour->height - y) h = colour->height - y;
    int64_t columns = ((int64_t(w) + x % 8 + 31) / 32) * 32;
    int from = x / 8;
    int64_t to = from + columns / 8;
    if (to > mask->stride) to = mask->stride;
    for (int r = y; r < y + h; r++) maskBytes(bitmapRow(colour, r), colour->width, bitmapRow(mask, r), from, int(to));
}
