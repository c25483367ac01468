#include "display/hot_pixels.h"

#include <math.h>
#include <string.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "display/hot_mask_avx2.h"
#include "display/level_spans.h"
#include "image/view.h"

namespace {

struct HotTables {
    int32_t t[3][3][256];  // [matrix row Y, C1, C2][red, green, blue][display byte]
    int32_t lumaLimit;
    int32_t chromaLimit;
    int64_t chromaLimitSquared;  // 64-bit: a generous limit must not overflow
    bool disabled;               // pedestal at or above 100 IRE
    // The same entries for the vector tests, as 16-bit lanes whose sum is
    // {C1, C2, 0, L - Y}: red and green summed for every pair, indexed by
    // the two bytes as they lie in a pixel (green, then red), and blue alone
    // with the luma limit L. Usable when every sum and square fits its lane.
    alignas(8) int16_t packedGreenRed[65536][4];
    alignas(8) int16_t packedBlue[256][4];
    bool packedUsable;
    // The parameters the tables were made from: the same set again (the
    // usual case, image after image) reuses them.
    bool prepared;
    double parameters[4];
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
// 32-bit value: any sensible limits. The last lane holds minus the luma.
// y in 64 bits: with limits the lanes cannot hold (the tables then go
// unused), luma less the limit may leave 32 bits.
void packEntry(int16_t* lanes, int32_t c1, int32_t c2, int64_t y)
{
    lanes[0] = int16_t(c1);
    lanes[1] = int16_t(c2);
    lanes[2] = 0;
    lanes[3] = int16_t(-y);
}

void packTables(HotTables& h)
{
    for (int g = 0; g < 256; g++)
        for (int r = 0; r < 256; r++)
            packEntry(h.packedGreenRed[g | r << 8], h.t[1][0][r] + h.t[1][1][g], h.t[2][0][r] + h.t[2][1][g],
                      h.t[0][0][r] + h.t[0][1][g]);
    for (int b = 0; b < 256; b++)
        packEntry(h.packedBlue[b], h.t[1][2][b], h.t[2][2][b], int64_t(h.t[0][2][b]) - h.lumaLimit);
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

// Two pixels: sign bits of 32-bit lanes 0 and 2 are their hot flags. One
// multiply-add squares {C1, C2, 0, L - Y} into {C1² + C2², (L - Y)²} exactly,
// and lane 1 of the sums is L - Y shifted up, whose sign is the luma test.
inline __m128i hotPair(const HotLanes& h, const uint8_t* p, __m128i chromaSq)
{
    __m128i v = _mm_unpacklo_epi64(laneSums(h, p), laneSums(h, p + 3));
    __m128i sq = _mm_madd_epi16(v, v);                                    // {S, D², S, D²}
    __m128i overChroma = _mm_cmpgt_epi32(sq, chromaSq);                   // S > chroma limit²
    __m128i overComposite = _mm_cmpgt_epi32(sq, _mm_srli_epi64(sq, 32));  // S > (L - Y)²
    __m128i overLuma = _mm_srli_epi64(v, 32);                             // L - Y < 0
    return _mm_or_si128(overLuma, _mm_or_si128(overChroma, overComposite));
}

// Pixel i's flag at bit i, for bit 7 - i of the mask byte.
const uint8_t* reversedBits()
{
    static uint8_t table[256];
    if (!table[1]) {
        for (int i = 0; i < 256; i++) {
            int r = 0;
            for (int b = 0; b < 8; b++) r |= ((i >> b) & 1) << (7 - b);
            table[i] = uint8_t(r);
        }
    }
    return table;
}

// Four pixels' hot flags as bits 0 to 3.
inline int hotQuad(const HotLanes& h, const uint8_t* p, __m128i chromaSq)
{
    __m128 a = _mm_castsi128_ps(hotPair(h, p, chromaSq));
    __m128 b = _mm_castsi128_ps(hotPair(h, p + 6, chromaSq));
    return _mm_movemask_ps(_mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
}

// Whole mask bytes, eight existing pixels each.
void maskBytesVector(const uint8_t* colour, uint8_t* mask, int from, int to, const HotLanes& h)
{
    const uint8_t* reverse = reversedBits();
    const __m128i chromaSq = _mm_set1_epi32(int32_t(h.chromaLimitSquared));
    for (int byte = from; byte < to; byte++) {
        const uint8_t* p = colour + 24 * byte;
        int bits = hotQuad(h, p, chromaSq) | hotQuad(h, p + 12, chromaSq) << 4;
        mask[byte] = uint8_t(~reverse[bits]);
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
            const HotLanes lanes = {g_tables.packedGreenRed, g_tables.packedBlue,
                                    int32_t(g_tables.chromaLimitSquared)};
            if (activeVectorPath() == VECTOR_AVX2)
                hotMaskBytesAvx2(colour, mask, from, end, lanes);
            else
                maskBytesVector(colour, mask, from, end, lanes);
            from = end;
        }
    }
#endif
    maskBytesScalar(colour, width, mask, from, to);
}

}  // namespace

void prepareHotTablesForView(const View* view)
{
    prepareHotTables(view->hot.videoStandard, view->hot.pedestal, view->hot.compositeLimit, view->hot.chromaLimit);
}

void prepareHotTables(int standard, double pedestal, double composite, double chroma)
{
    HotTables& h = g_tables;
    const double parameters[4] = {double(standard != 0), pedestal, composite, chroma};
    if (h.prepared && memcmp(parameters, h.parameters, sizeof parameters) == 0) return;
    memcpy(h.parameters, parameters, sizeof parameters);
    h.prepared = true;

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

void hotMaskBytes(const DisplayBitmap* colour, DisplayBitmap* mask, int y, int fromByte, int toByte)
{
    maskBytes(bitmapRow(colour, y), colour->width, bitmapRow(mask, y), fromByte, toByte);
}

void buildHotMaskBytes(View* view, int y, int fromByte, int toByte)
{
    hotMaskBytes(view->colour, view->hotMask, y, fromByte, toByte);
}

void buildHotMask(View* view)
{
    prepareHotTablesForView(view);
    for (int y = 0; y < view->hotMask->height; y++) buildHotMaskBytes(view, y, 0, view->hotMask->stride);
}

void updateHotMaskRect(View* view, int x, int y, int w, int h)
{
    prepareHotTablesForView(view);
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
