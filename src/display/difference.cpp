#include "display/difference.h"

#include <math.h>
#include <string.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "display/hot_pixels.h"
#include "display/level_spans.h"
#include "image/view.h"

namespace {

// Pixels per piece of a row: the eight planes' samples, the differences and
// the bytes made from them stay in the first-level cache.
enum { PIECE = 256 };

inline bool nonFinite(float v)
{
    uint32_t bits;
    memcpy(&bits, &v, sizeof bits);
    return (bits & 0x7F800000u) == 0x7F800000u;
}

// The four planes' |current - reference| of n pixels, and which pixels have
// a NaN or infinite sample on either side; 1 when any has.
int differencePiece(const float* const cur[4], const float* const ref[4], int n, float diff[4][PIECE], uint8_t* bad)
{
    int i = 0, any = 0;
#if defined(__SSE2__)
    const __m128 sign = _mm_castsi128_ps(_mm_set1_epi32(int32_t(0x80000000u)));
    const __m128i exponent = _mm_set1_epi32(0x7F800000);
    for (; i + 4 <= n; i += 4) {
        __m128i anyBad = _mm_setzero_si128();
        for (int c = 0; c < 4; c++) {
            __m128 a = _mm_loadu_ps(cur[c] + i), b = _mm_loadu_ps(ref[c] + i);
            _mm_storeu_ps(diff[c] + i, _mm_andnot_ps(sign, _mm_sub_ps(a, b)));
            __m128i ea = _mm_and_si128(_mm_castps_si128(a), exponent);
            __m128i eb = _mm_and_si128(_mm_castps_si128(b), exponent);
            anyBad = _mm_or_si128(anyBad, _mm_or_si128(_mm_cmpeq_epi32(ea, exponent), _mm_cmpeq_epi32(eb, exponent)));
        }
        int m = _mm_movemask_ps(_mm_castsi128_ps(anyBad));
        any |= m;
        for (int k = 0; k < 4; k++) bad[i + k] = uint8_t(m >> k & 1);
    }
#endif
    for (; i < n; i++) {
        bad[i] = 0;
        for (int c = 0; c < 4; c++) {
            diff[c][i] = fabsf(cur[c][i] - ref[c][i]);
            bad[i] |= uint8_t(nonFinite(cur[c][i]) || nonFinite(ref[c][i]));
        }
        any |= bad[i];
    }
    return any;
}

// Columns 0 .. n-1 of row y over the common area.
void differenceRow(const Image* cur, const Image* ref, int y, int n, LevelSpan levels, uint8_t* bgr, uint8_t* alpha)
{
    float diff[4][PIECE];
    uint8_t bad[PIECE];
    const size_t curRow = size_t(y) * size_t(cur->width), refRow = size_t(y) * size_t(ref->width);
    for (int x = 0; x < n; x += PIECE) {
        const int m = n - x < PIECE ? n - x : PIECE;
        const float* const a[4] = {cur->red + curRow + x, cur->green + curRow + x, cur->blue + curRow + x,
                                   cur->alpha + curRow + x};
        const float* const b[4] = {ref->red + refRow + x, ref->green + refRow + x, ref->blue + refRow + x,
                                   ref->alpha + refRow + x};
        const int anyBad = differencePiece(a, b, m, diff, bad);
        convertColourSpan(diff[0], diff[1], diff[2], m, bgr + 3 * x, levels);
        convertGreySpan(diff[3], m, alpha + x, levels);  // alpha through the levels too
        for (int i = 0; anyBad && i < m; i++) {
            if (!bad[i]) continue;
            memset(bgr + 3 * (x + i), 255, 3);
            alpha[x + i] = 255;
        }
    }
}

// The display's bitmaps at the size, kept when they have it. 0 when memory
// is short.
int sizeDisplay(DifferenceDisplay* d, int32_t width, int32_t height)
{
    if (d->colour && d->colour->width == width && d->colour->height == height) return 1;
    freeDifference(d);
    d->colour = newColourBitmap(width, height);
    d->alpha = newGreyBitmap(width, height);
    d->hotMask = newMaskBitmap(width, height);
    if (d->colour && d->alpha && d->hotMask) return 1;
    freeDifference(d);
    return 0;
}

}  // namespace

void differencePixel(const float current[4], const float reference[4], float black, float range, uint8_t bgr[3],
                     uint8_t* alpha)
{
    for (int c = 0; c < 4; c++) {
        if (nonFinite(current[c]) || nonFinite(reference[c])) {
            memset(bgr, 255, 3);
            *alpha = 255;
            return;
        }
    }
    bgr[0] = levelToByte(fabsf(current[2] - reference[2]), black, range);
    bgr[1] = levelToByte(fabsf(current[1] - reference[1]), black, range);
    bgr[2] = levelToByte(fabsf(current[0] - reference[0]), black, range);
    *alpha = levelToByte(fabsf(current[3] - reference[3]), black, range);
}

int buildDifference(const View* current, const Image* reference, DifferenceDisplay* display)
{
    const Image* cur = current->image;
    if (!sizeDisplay(display, cur->width, cur->height)) return 0;
    const int overlapWidth = cur->width < reference->width ? cur->width : reference->width;
    const int overlapHeight = cur->height < reference->height ? cur->height : reference->height;
    const LevelSpan levels = {cur->black, cur->white - cur->black};
    prepareHotTablesForView(current);
    DisplayBitmap* colour = display->colour;
    DisplayBitmap* alpha = display->alpha;
    for (int y = 0; y < cur->height; y++) {
        uint8_t* bgr = bitmapRow(colour, y);
        uint8_t* a = bitmapRow(alpha, y);
        int from = 0;  // the first column shown as the current view shows it
        if (y < overlapHeight) {
            differenceRow(cur, reference, y, overlapWidth, levels, bgr, a);
            from = overlapWidth;
        }
        if (from < cur->width) {
            memcpy(bgr + 3 * from, bitmapRow(current->colour, y) + 3 * from, 3 * size_t(cur->width - from));
            memcpy(a + from, bitmapRow(current->alpha, y) + from, size_t(cur->width - from));
        }
        hotMaskBytes(colour, display->hotMask, y, 0, display->hotMask->stride);
    }
    return 1;
}

void freeDifference(DifferenceDisplay* display)
{
    freeDisplayBitmap(display->colour);
    freeDisplayBitmap(display->alpha);
    freeDisplayBitmap(display->hotMask);
    display->colour = display->alpha = display->hotMask = nullptr;
}
