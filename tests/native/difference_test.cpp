// The difference display: every byte against the rule worked out here from
// the samples, over the common area of two images of any sizes.
#include <gtest/gtest.h>
#include <math.h>

#include "display/difference.h"
#include "display/hot_pixels.h"
#include "display/level_spans.h"
#include "display/levels.h"
#include "image/pixel_memory.h"
#include "image_test_util.h"
#include "vector_paths.h"
#include "viewer/compare.h"

namespace {

struct Sample {
    float v[4];
};

Sample sampleAt(const Image* im, int x, int y)
{
    size_t i = size_t(y) * size_t(im->width) + size_t(x);
    return {{im->red[i], im->green[i], im->blue[i], im->alpha[i]}};
}

// What the difference view must show at (x, y): red, green, blue, alpha.
void expectedBytes(const Sample& a, const Sample& b, float black, float white, uint8_t out[4])
{
    bool finite = true;
    for (int c = 0; c < 4; c++) finite = finite && std::isfinite(a.v[c]) && std::isfinite(b.v[c]);
    for (int c = 0; c < 4; c++) {
        float d = a.v[c] > b.v[c] ? a.v[c] - b.v[c] : b.v[c] - a.v[c];
        out[c] = finite ? levelToByte(d, black, white - black) : 255;
    }
}

struct Pair {
    ViewPtr current;
    ImagePtr reference;
    Pair(int cw, int ch, int rw, int rh, uint32_t seed, float black, float white)
    {
        Image* cur = randomImage(cw, ch, seed);
        cur->black = black;
        cur->white = white;
        current.reset(newView(cur));
        rebuildDisplay(current.get());
        reference.reset(randomImage(rw, rh, seed * 7 + 1));
    }
};

// The colour and alpha bytes at (x, y) of a colour and a grey bitmap.
void bytesAt(const DisplayBitmap* colour, const DisplayBitmap* alpha, int x, int y, uint8_t out[4])
{
    const uint8_t* p = bitmapRow(colour, y) + 3 * x;
    out[0] = p[2];
    out[1] = p[1];
    out[2] = p[0];
    out[3] = bitmapRow(alpha, y)[x];
}

int maskBit(const DisplayBitmap* mask, int x, int y)
{
    return bitmapRow(mask, y)[x / 8] >> (7 - x % 8) & 1;
}

// Every pixel: the rule over the common area, the current view's bytes
// outside it, and the hot mask of what is shown.
void expectDifference(const Pair& p, const DifferenceDisplay& d)
{
    const Image* cur = p.current->image;
    const Image* ref = p.reference.get();
    for (int y = 0; y < cur->height; y++)
        for (int x = 0; x < cur->width; x++) {
            uint8_t want[4], got[4];
            if (x < ref->width && y < ref->height)
                expectedBytes(sampleAt(cur, x, y), sampleAt(ref, x, y), cur->black, cur->white, want);
            else
                bytesAt(p.current->colour, p.current->alpha, x, y, want);
            bytesAt(d.colour, d.alpha, x, y, got);
            for (int c = 0; c < 4; c++) ASSERT_EQ(got[c], want[c]) << "pixel " << x << ", " << y << " channel " << c;
            ASSERT_EQ(maskBit(d.hotMask, x, y), !isHotPixel(got[0], got[1], got[2])) << x << ", " << y;
        }
}

TEST(DifferenceTest, EveryPixelFollowsTheRuleUnderAnyLevelsOnEveryPath)
{
    const float levels[][2] = {{0.0f, 1.0f}, {0.05f, 0.9f}, {0.8f, 0.2f}, {0.3f, 0.3f}, {-1.0f, 3.0f}};
    onEveryPath([&] {
        for (const auto& l : levels) {
            SCOPED_TRACE(testing::Message() << "levels " << l[0] << " " << l[1]);
            Pair p(37, 5, 37, 5, 11, l[0], l[1]);  // an odd width: vector pieces and their tail
            DifferenceDisplay d = {};
            ASSERT_EQ(buildDifference(p.current.get(), p.reference.get(), &d), 1);
            expectDifference(p, d);
            freeDifference(&d);
        }
    });
}

TEST(DifferenceTest, ImagesOfDifferentSizesCompareOverTheirCommonTopLeftArea)
{
    const int sizes[][4] = {{20, 9, 13, 12}, {11, 10, 16, 4}, {300, 3, 299, 3}, {5, 5, 1, 1}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(testing::Message() << s[0] << "x" << s[1] << " against " << s[2] << "x" << s[3]);
        Pair p(s[0], s[1], s[2], s[3], 5, 0.0f, 1.0f);
        DifferenceDisplay d = {};
        ASSERT_EQ(buildDifference(p.current.get(), p.reference.get(), &d), 1);
        EXPECT_EQ(d.colour->width, s[0]);
        EXPECT_EQ(d.colour->height, s[1]);
        expectDifference(p, d);
        freeDifference(&d);
    }
}

// Inverted levels would turn an infinite difference black: a sample that is
// not a number or infinite must still light the pixel in all four channels.
TEST(DifferenceTest, ANonFiniteSampleOnEitherSideLightsEveryChannel)
{
    Pair p(9, 1, 9, 1, 3, 0.9f, 0.1f);
    Image* cur = p.current->image;
    Image* ref = p.reference.get();
    for (int x = 0; x < 9; x++) {
        cur->red[x] = cur->green[x] = cur->blue[x] = cur->alpha[x] = 0.5f;
        ref->red[x] = ref->green[x] = ref->blue[x] = ref->alpha[x] = 0.5f;
    }
    ref->green[2] = NAN;
    ref->alpha[5] = INFINITY;
    cur->blue[7] = -INFINITY;
    rebuildDisplay(p.current.get());
    DifferenceDisplay d = {};
    ASSERT_EQ(buildDifference(p.current.get(), ref, &d), 1);
    for (int x = 0; x < 9; x++) {
        uint8_t got[4];
        bytesAt(d.colour, d.alpha, x, 0, got);
        uint8_t lit = (x == 2 || x == 5 || x == 7) ? 255 : levelToByte(0.0f, 0.9f, 0.1f - 0.9f);
        for (int c = 0; c < 4; c++) EXPECT_EQ(got[c], lit) << "pixel " << x << " channel " << c;
    }
    freeDifference(&d);
}

TEST(DifferenceTest, LoweringTheWhiteLevelMagnifiesASmallDifference)
{
    Pair p(4, 2, 4, 2, 1, 0.0f, 1.0f);
    Image* cur = p.current->image;
    Image* ref = p.reference.get();
    for (int i = 0; i < 8; i++) {
        cur->red[i] = cur->green[i] = cur->blue[i] = cur->alpha[i] = 0.5f;
        ref->red[i] = ref->green[i] = ref->blue[i] = ref->alpha[i] = 0.51f;
    }
    DifferenceDisplay d = {};
    uint8_t got[4];
    ASSERT_EQ(buildDifference(p.current.get(), ref, &d), 1);
    bytesAt(d.colour, d.alpha, 3, 1, got);
    EXPECT_EQ(got[0], 2);  // 0.01 of 255
    EXPECT_EQ(got[3], 2);
    cur->white = 0.02f;
    ASSERT_EQ(buildDifference(p.current.get(), ref, &d), 1);
    bytesAt(d.colour, d.alpha, 3, 1, got);
    EXPECT_EQ(got[0], 127);  // half of the range
    EXPECT_EQ(got[3], 127);
    freeDifference(&d);
}

TEST(DifferenceTest, OnePixelByTheRule)
{
    const float cur[4] = {0.25f, 1.5f, -0.125f, 1.0f}, ref[4] = {0.5f, 1.0f, 0.125f, 1.0f};
    uint8_t bgr[3], alpha;
    differencePixel(cur, ref, 0.0f, 1.0f, bgr, &alpha);
    EXPECT_EQ(bgr[2], 63);  // red 0.25
    EXPECT_EQ(bgr[1], 127);  // green 0.5
    EXPECT_EQ(bgr[0], 63);  // blue 0.25
    EXPECT_EQ(alpha, 0);
    const float nan[4] = {0.5f, 0.5f, 0.5f, NAN};
    differencePixel(cur, nan, 0.0f, 1.0f, bgr, &alpha);
    EXPECT_EQ(bgr[0] & bgr[1] & bgr[2] & alpha, 255);
}

TEST(DifferenceTest, BitmapsStayWhileTheSizeDoesAndNothingLeaksWhenMemoryIsShort)
{
    const int live = livePixelBuffers();
    {
        Pair p(16, 8, 16, 8, 2, 0.0f, 1.0f);
        Pair q(8, 16, 8, 16, 4, 0.0f, 1.0f);
        DifferenceDisplay d = {};
        ASSERT_EQ(buildDifference(p.current.get(), p.reference.get(), &d), 1);
        const DisplayBitmap* colour = d.colour;
        ASSERT_EQ(buildDifference(p.current.get(), p.reference.get(), &d), 1);
        EXPECT_EQ(d.colour, colour) << "the same size keeps its bitmaps";
        ASSERT_EQ(buildDifference(q.current.get(), q.reference.get(), &d), 1);
        EXPECT_EQ(d.colour->width, 8);
        EXPECT_EQ(d.colour->height, 16);
        expectDifference(q, d);
        freeDifference(&d);
        for (int fail = 0; fail < 3; fail++) {
            const int before = livePixelBuffers();
            failPixelAllocationAfter(fail);
            EXPECT_EQ(buildDifference(p.current.get(), p.reference.get(), &d), 0);
            failPixelAllocationAfter(-1);
            EXPECT_EQ(d.colour, nullptr);
            EXPECT_EQ(livePixelBuffers(), before);
        }
    }
    EXPECT_EQ(livePixelBuffers(), live);
}

}  // namespace

// The wipe as one picture: left of the split the reference's bytes where it
// has pixels, the current image's everywhere else, row for row from the
// top, for both kinds of bitmap; a split beyond the reference is held to it.
TEST(WipePicture, TheReferenceLeftOfTheSplitTheCurrentImageRightOfIt)
{
    for (bool grey : {false, true}) {
        auto make = [grey](int w, int h, uint8_t base) {
            DisplayBitmap* b = grey ? newGreyBitmap(w, h) : newColourBitmap(w, h);
            for (int32_t i = 0; i < b->stride * h; i++) b->pixels[i] = uint8_t(base + i);
            return b;
        };
        DisplayBitmap* current = make(5, 3, 0);
        DisplayBitmap* reference = make(3, 2, 100);  // narrower and shorter
        const int bytes = grey ? 1 : 3;
        for (int32_t split : {0, 2, 4, 7}) {
            DisplayBitmap* out = composeWipe(current, reference, split);
            ASSERT_NE(out, nullptr);
            EXPECT_EQ(out->header.biBitCount, current->header.biBitCount);
            for (int y = 0; y < 3; y++)
                for (int x = 0; x < 5; x++)
                    for (int k = 0; k < bytes; k++) {
                        bool fromReference = x < split && x < 3 && y < 2;
                        const DisplayBitmap* from = fromReference ? reference : current;
                        uint8_t want = from->pixels[size_t(from->height - 1 - y) * from->stride + x * bytes + k];
                        ASSERT_EQ(out->pixels[size_t(2 - y) * out->stride + x * bytes + k], want)
                            << "split " << split << " at " << x << "," << y << (grey ? " grey" : " colour");
                    }
            freeDisplayBitmap(out);
        }
        DisplayBitmap* other = grey ? newColourBitmap(3, 2) : newGreyBitmap(3, 2);
        EXPECT_EQ(composeWipe(current, other, 2), nullptr) << "two kinds do not compose";
        freeDisplayBitmap(other);
        freeDisplayBitmap(current);
        freeDisplayBitmap(reference);
    }
}
