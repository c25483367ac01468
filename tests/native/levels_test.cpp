// The level conversion: the rule on values worked out by hand, and the
// fast row conversion, which must give the scalar rule's bytes bit for bit.
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>

#include <functional>
#include <vector>

#include "display/hot_pixels.h"
#include "display/level_spans.h"
#include "display/levels.h"
#include "image_test_util.h"
#include "vector_paths.h"

namespace {

float floatFromBits(uint32_t bits)
{
    float f;
    memcpy(&f, &bits, sizeof f);
    return f;
}

uint32_t bitsOf(float f)
{
    uint32_t b;
    memcpy(&b, &f, sizeof b);
    return b;
}

// Runs the fast span over values and compares every byte with the scalar rule.
void expectSpanMatchesReference(const std::vector<float>& values, float black, float white)
{
    float range = white - black;
    LevelSpan levels = {black, range};
    size_t n = values.size();
    std::vector<uint8_t> bgr(3 * n), alpha(n), grey(n);
    // The same values in all three channels, shifted so every SIMD lane sees each.
    std::vector<float> g(values.begin() + 1, values.end()), b(values.begin() + 2, values.end());
    g.push_back(values[0]);
    b.push_back(values[0]);
    b.push_back(values[1]);
    convertColourSpan(values.data(), g.data(), b.data(), int(n), bgr.data(), levels);
    convertAlphaSpan(values.data(), int(n), alpha.data());
    convertGreySpan(values.data(), int(n), grey.data(), levels);
    for (size_t i = 0; i < n; i++) {
        ASSERT_EQ(bgr[3 * i + 2], levelToByte(values[i], black, range))
            << "value " << values[i] << " (bits " << std::hex << bitsOf(values[i]) << ") levels " << black << " "
            << white;
        ASSERT_EQ(bgr[3 * i + 1], levelToByte(g[i], black, range)) << g[i];
        ASSERT_EQ(bgr[3 * i], levelToByte(b[i], black, range)) << b[i];
        ASSERT_EQ(alpha[i], alphaToByte(values[i])) << values[i];
        ASSERT_EQ(grey[i], levelToByte(values[i], black, range)) << "grey " << values[i];
    }
}

// Every float near each byte boundary of the levels (where truncation
// decides), and a dense sweep of [-1, 2].
std::vector<float> boundaryAndSweepValues(float black, float white)
{
    std::vector<float> v;
    double range = double(white) - double(black);
    for (int b = -1; b <= 257; b++) {
        float centre = float(double(black) + b * range / 255.0);
        for (int d = -40; d <= 40; d++) v.push_back(floatFromBits(bitsOf(centre) + uint32_t(d)));
        for (int d = 1; d <= 40; d++) v.push_back(std::nextafter(centre, d % 2 ? INFINITY : -INFINITY));
    }
    // Every 997th float of [-1, 0] and of [0, 2], by bit pattern.
    for (uint32_t bits = 0x80000000u; bits <= bitsOf(-1.0f); bits += 997) v.push_back(floatFromBits(bits));
    for (uint32_t bits = 0; bits <= bitsOf(2.0f); bits += 997) v.push_back(floatFromBits(bits));
    for (float special : {NAN, -NAN, INFINITY, -INFINITY, 0.0f, -0.0f, 1e30f, -1e30f, 1e-40f, 3.4e38f})
        v.push_back(special);
    return v;
}

}  // namespace

// (v - black) × 255 / range, rounded to single precision, clamped and
// truncated; each value worked out by hand.
TEST(LevelToByte, StretchesRoundsInSingleClampsAndTruncates)
{
    const struct {
        float v, black, range;
        int want;
    } cases[] = {
        {0.5f, 0, 1, 127},
        {1, 0, 1, 255},
        {1.5f, 0, 1, 255},
        {-0.2f, 0, 1, 0},
        {254.9f / 255.0f, 0, 1, 254},
        {0.13450980186462402f, 0.1f, 0.9f - 0.1f, 11},  // 10.9999995 in double: 11 in single
        {0.498039186000824f, 0, 1, 126},                // 126.99999237 is a single itself
        {0.49803921580314636f, 0, 1, 127},
        {0.1f, 0.05f, 0.9f - 0.05f, 15},  // 0.05 × 255 / 0.85
        {0.3f, 0, 0.6f, 127},             // exactly 127.5
        {0.59f, 0, 0.6f, 250},            // 250.75
        {0.5f, 0.25f, 0.5f, 127},
        {0.25f, 0.25f, 0.5f, 0},
        {0.75f, 0.25f, 0.5f, 255},
        {0.8f, 0.25f, 0.5f, 255},
        {0.5f, 0.5f, 0, 0},  // equal levels: a threshold
        {std::nextafter(0.5f, 1.0f), 0.5f, 0, 255},
        {0.4f, 0.5f, 0, 0},
        {7, 0.5f, 0, 255},
        {0, 1, -1, 255},  // white below black inverts
        {1, 1, -1, 0},
        {NAN, 0, 1, 0},
        {INFINITY, 0, 1, 255},
        {-INFINITY, 0, 1, 0},
        {INFINITY, 0, -1, 0},
    };
    for (const auto& t : cases)
        EXPECT_EQ(levelToByte(t.v, t.black, t.range), t.want) << t.v << " " << t.black << " " << t.range;
    for (auto [a, want] : {std::pair<float, int>{NAN, 0}, {INFINITY, 255}, {0.5f, 127}, {-1, 0}})
        EXPECT_EQ(alphaToByte(a), want) << a;
}

TEST(LevelSpans, MatchTheReferenceAtDefaultLevels)
{
    onEveryPath([] { expectSpanMatchesReference(boundaryAndSweepValues(0.0f, 1.0f), 0.0f, 1.0f); });
}

TEST(LevelSpans, MatchTheReferenceAtOtherLevels)
{
    TestRandom rng(99);
    // Black exactly 0 with another white has a path of its own.
    std::vector<std::pair<float, float>> pairs = {{0.25f, 0.75f}, {0.5f, 0.5f}, {1.0f, 0.0f}, {-0.3f, 4.0f},
                                                  {0.1f, 0.1000001f}, {0.0f, 0.6f}, {0.0f, 2.0f}, {0.0f, -1.0f},
                                                  // a range too small, too large or infinite for single precision
                                                  {0.0f, 1e-40f}, {1e-30f, 2e-30f}, {-1e38f, 3e38f},
                                                  {-3e38f, 3e38f}, {5.0f, -3.4e38f}};
    for (int i = 0; i < 4; i++) pairs.push_back({rng.unit() - 0.5f, rng.unit() * 3.0f});
    onEveryPath([&] {
        for (auto [black, white] : pairs) expectSpanMatchesReference(boundaryAndSweepValues(black, white), black, white);
    });
}

// Every length from empty to past the widest step, so that each vector
// width ends at each remainder: exactly n pixels written, nothing after.
TEST(LevelSpans, EveryLengthWritesItsPixelsAndNothingPast)
{
    onEveryPath([] {
        TestRandom rng(5);
        std::vector<float> r(80), g(80), b(80);
        for (int i = 0; i < 80; i++) r[i] = rng.unit() * 1.2f - 0.1f, g[i] = rng.unit(), b[i] = rng.unit() * 2.0f;
        for (LevelSpan levels : {LevelSpan{0.0f, 1.0f}, LevelSpan{0.1f, 0.7f}}) {
            for (int n = 0; n <= 70; n++) {
                std::vector<uint8_t> bgr(3 * n + 40, 0xA5), alpha(n + 40, 0x5A);
                convertColourSpan(r.data(), g.data(), b.data(), n, bgr.data(), levels);
                convertAlphaSpan(r.data(), n, alpha.data());
                for (int i = 0; i < n; i++) {
                    ASSERT_EQ(bgr[3 * i], levelToByte(b[i], levels.black, levels.range)) << n << " " << i;
                    ASSERT_EQ(bgr[3 * i + 1], levelToByte(g[i], levels.black, levels.range)) << n << " " << i;
                    ASSERT_EQ(bgr[3 * i + 2], levelToByte(r[i], levels.black, levels.range)) << n << " " << i;
                    ASSERT_EQ(alpha[i], alphaToByte(r[i])) << n << " " << i;
                }
                for (size_t i = 3 * size_t(n); i < bgr.size(); i++) ASSERT_EQ(bgr[i], 0xA5) << "past " << n;
                for (size_t i = size_t(n); i < alpha.size(); i++) ASSERT_EQ(alpha[i], 0x5A) << "past " << n;
            }
        }
    });
}

TEST(LevelSpans, AProcessorWithoutAvx2GetsTheSse2Path)
{
    CpuidBits sse2Only = {0xD, 1u << 26, 0, 0};
    EXPECT_EQ(vectorPathFor(sse2Only), VECTOR_SSE2);
    CpuidBits avx2 = {0xD, (1u << 27) | (1u << 28), 1u << 5, 0x7};
    EXPECT_EQ(vectorPathFor(avx2), VECTOR_AVX2);
    avx2.xcr0 = 0x3;
    EXPECT_EQ(vectorPathFor(avx2), VECTOR_SSE2) << "an OS that does not save the registers";
    // This processor: the path chosen is the one its registers give.
    const VectorPath chosen = activeVectorPath();
    EXPECT_EQ(chosen, vectorPathFor(readCpuidBits()));
    EXPECT_EQ(useVectorPath(VECTOR_SSE2), VECTOR_SSE2) << "every processor can be given SSE2";
    EXPECT_EQ(useVectorPath(VECTOR_AVX2), vectorPathFor(readCpuidBits())) << "AVX2 only where it exists";
    useVectorPath(chosen);
}

TEST(ConvertColour, MatchesTheReferenceOnRandomImagesAndKeepsPadding)
{
    for (int width : {1, 2, 3, 5, 33, 64, 101}) {
        ImagePtr image(randomImage(width, 7, uint32_t(width)));
        image->black = 0.1f;
        image->white = 0.9f;
        ViewPtr view(canaryView(image.release(), 0xA5));
        const Image* im = view->image;
        convertColour(im, view->colour);
        convertAlpha(im, view->alpha);
        float range = im->white - im->black;
        for (int y = 0; y < im->height; y++) {
            const uint8_t* row = view->colour->pixels + size_t(im->height - 1 - y) * view->colour->stride;
            const uint8_t* arow = view->alpha->pixels + size_t(im->height - 1 - y) * view->alpha->stride;
            for (int x = 0; x < width; x++) {
                size_t i = size_t(y) * width + x;
                ASSERT_EQ(row[3 * x], levelToByte(im->blue[i], im->black, range));
                ASSERT_EQ(row[3 * x + 1], levelToByte(im->green[i], im->black, range));
                ASSERT_EQ(row[3 * x + 2], levelToByte(im->red[i], im->black, range));
                ASSERT_EQ(arow[x], alphaToByte(im->alpha[i]));
            }
            for (int p = 3 * width; p < view->colour->stride; p++) ASSERT_EQ(row[p], 0xA5) << "colour padding";
            for (int p = width; p < view->alpha->stride; p++) ASSERT_EQ(arow[p], 0xA5) << "alpha padding";
        }
    }
}

TEST(ConvertColour, PutsTheFirstImageRowLastInTheBitmap)
{
    ImagePtr image(newImage(1, 3, 1, 0));
    for (int y = 0; y < 3; y++) {
        image->red[y] = image->green[y] = image->blue[y] = float(y) / 2.0f;
        image->alpha[y] = 1.0f - float(y) / 2.0f;
    }
    ViewPtr view(canaryView(image.release(), 0x11));
    EXPECT_EQ(view->colour->stride, 4);
    EXPECT_EQ(view->alpha->stride, 4);
    convertColour(view->image, view->colour);
    convertAlpha(view->image, view->alpha);
    const uint8_t* px = view->colour->pixels;
    EXPECT_EQ(px[2 * 4], 0);      // image row 0 in bitmap row 2
    EXPECT_EQ(px[1 * 4], 127);    // row 1 stays in the middle
    EXPECT_EQ(px[0 * 4], 255);    // image row 2 first in the buffer
    EXPECT_EQ(px[0 * 4 + 3], 0x11);  // padding
    EXPECT_EQ(view->alpha->pixels[2 * 4], 255);
    EXPECT_EQ(view->alpha->pixels[0], 0);
}

TEST(ConvertRect, TouchesOnlyTheRectangle)
{
    ImagePtr image(randomImage(40, 10, 5));
    ViewPtr view(canaryView(image.release(), 0xEE));
    convertRect(view.get(), 13, 2, 9, 3);
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 40; x++) {
            bool inside = x >= 13 && x < 22 && y >= 2 && y < 5;
            const uint8_t* row = view->colour->pixels + size_t(9 - y) * view->colour->stride;
            size_t i = size_t(y) * 40 + x;
            if (inside) {
                ASSERT_EQ(row[3 * x + 2], levelToByte(view->image->red[i], 0.0f, 1.0f));
                ASSERT_EQ(view->alpha->pixels[size_t(9 - y) * view->alpha->stride + x],
                          alphaToByte(view->image->alpha[i]));
            } else {
                ASSERT_EQ(row[3 * x + 2], 0xEE) << x << "," << y;
            }
        }
}

// A caption that hangs over the image's left or top edge updates the part
// on the image, its hot mask included.
// Rectangles that miss the image (beside it, below it, empty, reaching
// across 32 bits) change nothing and touch nothing outside the bitmaps.
TEST(UpdateDisplayRect, ARectangleOffTheImageChangesNothing)
{
    ImagePtr image(randomImage(16, 3, 21));
    ViewPtr view(canaryView(image.release(), 0x6B));
    view->hot = {0, 7.5f, 110.0f, 50.0f};
    const size_t colourBytes = size_t(view->colour->stride) * 3, alphaBytes = size_t(view->alpha->stride) * 3;
    const size_t maskBytes = size_t(view->hotMask->stride) * 3;
    struct Rect {
        int x, y, w, h;
    } misses[] = {{16, 0, 4, 3}, {0, 3, 16, 2}, {-4, 0, 4, 3}, {0, -2, 16, 2}, {2, 1, 0, 1},
                  {2, 1, 3, -1}, {INT32_MAX, 1, INT32_MAX, 1}, {-50, -50, 10, 10}};
    for (const Rect& r : misses) {
        updateDisplayRect(view.get(), r.x, r.y, r.w, r.h);
        convertRect(view.get(), r.x, r.y, r.w, r.h);
        for (size_t i = 0; i < colourBytes; i++) ASSERT_EQ(view->colour->pixels[i], 0x6B) << r.x << "," << r.y;
        for (size_t i = 0; i < alphaBytes; i++) ASSERT_EQ(view->alpha->pixels[i], 0x6B) << r.x << "," << r.y;
        for (size_t i = 0; i < maskBytes; i++) ASSERT_EQ(view->hotMask->pixels[i], 0x6B) << r.x << "," << r.y;
    }
}

TEST(UpdateDisplayRect, ARectangleOverTheEdgeUpdatesThePartOnTheImage)
{
    ImagePtr image(newImage(16, 2, 1, 0));
    for (float* c : {image->red, image->green, image->blue, image->alpha})
        for (int i = 0; i < 32; i++) c[i] = 0.0f;
    ViewPtr view(canaryView(image.release(), 0));
    view->hot = {0, 7.5f, 110.0f, 50.0f};
    rebuildDisplay(view.get());
    for (int i = 0; i < 32; i++) view->image->red[i] = 1.0f;  // the caption turns every pixel hot red
    updateDisplayRect(view.get(), -5, -1, 8, 2);          // on the image: columns 0 .. 2 of row 0
    EXPECT_EQ(bitmapRow(view->colour, 0)[3 * 2 + 2], 255);
    EXPECT_EQ(bitmapRow(view->colour, 0)[3 * 3 + 2], 0) << "column 3 is outside";
    EXPECT_EQ(bitmapRow(view->colour, 1)[2], 0) << "row 1 is outside";
    EXPECT_EQ(bitmapRow(view->hotMask, 0)[0] & 0xE0, 0) << "columns 0 .. 2 are hot in the mask";
    EXPECT_EQ(bitmapRow(view->hotMask, 1)[0], 0xFF);
}

TEST(RefreshDisplay, RebuildsOnlyWhatTheFlagsName)
{
    ImagePtr image(randomImage(16, 4, 8));
    ViewPtr view(canaryView(image.release(), 0x77));
    refreshDisplay(view.get(), 0);
    EXPECT_EQ(view->colour->pixels[0], 0x77);
    refreshDisplay(view.get(), REFRESH_HOT);
    EXPECT_EQ(view->colour->pixels[0], 0x77);
    EXPECT_NE(view->hotMask->pixels[0], 0x77);
    refreshDisplay(view.get(), REFRESH_LEVELS);
    EXPECT_EQ(view->colour->pixels[0], levelToByte(view->image->blue[3 * 16], 0.0f, 1.0f));
    EXPECT_EQ(view->alpha->pixels[0], 0x77) << "alpha never depends on a setting";
}

// The full rebuild works a piece of a row at a time; its bitmaps must be
// byte for byte those of the three passes, padding included, at widths
// that end a piece, a vector step and a mask byte in every way.
TEST(RebuildDisplay, EqualsTheThreePassesOneAfterTheOther)
{
    for (int width : {1, 7, 255, 256, 257, 600, 1031}) {
        for (float white : {1.0f, 0.6f}) {
            ImagePtr image(randomImage(width, 3, uint32_t(width)));
            image->white = white;
            ViewPtr fused(canaryView(image.release(), 0x5A));
            fused->hot = {1, 7.5f, 110.0f, 50.0f};
            ViewPtr parts(canaryView(randomImage(width, 3, uint32_t(width)), 0x5A));
            parts->image->white = white;
            parts->hot = fused->hot;
            rebuildDisplay(fused.get());
            convertColour(parts->image, parts->colour);
            convertAlpha(parts->image, parts->alpha);
            buildHotMask(parts.get());
            const DisplayBitmap* a[] = {fused->colour, fused->alpha, fused->hotMask};
            const DisplayBitmap* b[] = {parts->colour, parts->alpha, parts->hotMask};
            for (int k = 0; k < 3; k++)
                ASSERT_EQ(memcmp(a[k]->pixels, b[k]->pixels, size_t(a[k]->stride) * a[k]->height), 0)
                    << "bitmap " << k << " width " << width << " white " << white;
        }
    }
}
