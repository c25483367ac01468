// The pane's picture below one to one: every step-th pixel of each kind of
// display bitmap.
#include <gtest/gtest.h>

#include <algorithm>
#include <string.h>

#include "display/reduced_bitmap.h"
#include "image/pixel_memory.h"

namespace {

// A byte for each pixel and byte position that no other one shares.
uint8_t code(int32_t x, int32_t y, int byte)
{
    return uint8_t(x * 7 + y * 31 + byte * 101);
}

bool maskBit(const DisplayBitmap* bm, int32_t x, int32_t y)
{
    return bitmapRow(bm, y)[x >> 3] & (0x80 >> (x & 7));
}

}  // namespace

TEST(ReducedBitmap, ColourAndGreyKeepEveryStepthPixelFromTheCorner)
{
    DisplayBitmap* colour = newColourBitmap(11, 7);
    DisplayBitmap* grey = newGreyBitmap(11, 7);
    for (int32_t y = 0; y < 7; y++)
        for (int32_t x = 0; x < 11; x++) {
            for (int b = 0; b < 3; b++) bitmapRow(colour, y)[3 * x + b] = code(x, y, b);
            bitmapRow(grey, y)[x] = code(x, y, 0);
        }
    // Columns 1, 4, 7, 10 (the last one exactly) of rows 2 and 5.
    DisplayBitmap* c = reduceBitmap(colour, 1, 2, 3, 4, 2);
    DisplayBitmap* g = reduceBitmap(grey, 1, 2, 3, 4, 2);
    ASSERT_NE(c, nullptr);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(c->header.biBitCount, 24);
    EXPECT_EQ(g->colours[200].rgbGreen, 200) << "the grey ramp comes along";
    for (int32_t j = 0; j < 2; j++)
        for (int32_t i = 0; i < 4; i++) {
            for (int b = 0; b < 3; b++) EXPECT_EQ(bitmapRow(c, j)[3 * i + b], code(1 + 3 * i, 2 + 3 * j, b));
            EXPECT_EQ(bitmapRow(g, j)[i], code(1 + 3 * i, 2 + 3 * j, 0));
        }
    freeDisplayBitmap(c);
    freeDisplayBitmap(g);
    freeDisplayBitmap(colour);
    freeDisplayBitmap(grey);
}

TEST(ReducedBitmap, MasksKeepTheirBitsAndPadWithZero)
{
    DisplayBitmap* mask = newMaskBitmap(70, 5);
    for (int32_t y = 0; y < 5; y++) {
        uint8_t* row = bitmapRow(mask, y);
        for (int32_t i = 0; i < mask->stride; i++) row[i] = 0;
        for (int32_t x = 0; x < 70; x++)
            if ((x * 3 + y) % 5 < 2) row[x >> 3] |= uint8_t(0x80 >> (x & 7));
    }
    DisplayBitmap* r = reduceBitmap(mask, 2, 0, 2, 34, 3);  // columns 2 .. 68, rows 0, 2, 4
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->header.biBitCount, 1);
    EXPECT_EQ(r->colours[0].rgbRed, 255);
    for (int32_t j = 0; j < 3; j++) {
        for (int32_t i = 0; i < 34; i++) EXPECT_EQ(maskBit(r, i, j), maskBit(mask, 2 + 2 * i, 2 * j)) << i << "," << j;
        for (int32_t i = 34; i < 64; i++) EXPECT_FALSE(maskBit(r, i, j)) << "padding " << i;
    }
    freeDisplayBitmap(r);
    freeDisplayBitmap(mask);
}

TEST(ReducedBitmap, RefusesRectanglesBeyondTheSourceAndLeaksNothing)
{
    int before = livePixelBuffers();
    DisplayBitmap* grey = newGreyBitmap(10, 10);
    EXPECT_EQ(reduceBitmap(grey, 1, 0, 3, 4, 1), nullptr) << "column 10 does not exist";
    EXPECT_EQ(reduceBitmap(grey, 0, 1, 3, 1, 4), nullptr) << "row 10 does not exist";
    EXPECT_EQ(reduceBitmap(grey, -1, 0, 1, 1, 1), nullptr);
    EXPECT_EQ(reduceBitmap(grey, 0, 0, 0, 1, 1), nullptr);
    DisplayBitmap* corner = reduceBitmap(grey, 9, 9, 5, 1, 1);
    ASSERT_NE(corner, nullptr) << "one pixel, the last one";
    freeDisplayBitmap(corner);
    EXPECT_EQ(reduceBitmap(grey, 0, 0, 1, 0, 1), nullptr);
    EXPECT_EQ(reduceBitmap(nullptr, 0, 0, 1, 1, 1), nullptr);
    failPixelAllocationAfter(0);
    EXPECT_EQ(reduceBitmap(grey, 0, 0, 1, 10, 10), nullptr) << "out of memory";
    freeDisplayBitmap(grey);
    EXPECT_EQ(livePixelBuffers(), before);
}

// A repaint reuses the last reduced picture when kind and size match, and
// gives the bytes a fresh reduction would.
TEST(ReducedBitmap, IntoAKeptBitmapReusesItOnlyForTheSameKindAndSize)
{
    int before = livePixelBuffers();
    DisplayBitmap* colour = newColourBitmap(13, 9);
    DisplayBitmap* mask = newMaskBitmap(13, 9);
    for (int32_t y = 0; y < 9; y++)
        for (int32_t x = 0; x < 13; x++)
            for (int b = 0; b < 3; b++) bitmapRow(colour, y)[3 * x + b] = code(x, y, b);
    memset(mask->pixels, 0xA5, size_t(mask->stride) * 9);

    DisplayBitmap* scratch = nullptr;
    DisplayBitmap* first = reduceBitmapInto(&scratch, colour, 0, 0, 2, 6, 4);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(scratch, first);
    DisplayBitmap* again = reduceBitmapInto(&scratch, colour, 1, 1, 2, 6, 4);
    EXPECT_EQ(again, first) << "same kind and size: the same memory";
    DisplayBitmap* fresh = reduceBitmap(colour, 1, 1, 2, 6, 4);
    for (int32_t j = 0; j < 4; j++)
        EXPECT_EQ(memcmp(bitmapRow(again, j), bitmapRow(fresh, j), 18), 0) << "row " << j;
    freeDisplayBitmap(fresh);

    DisplayBitmap* wider = reduceBitmapInto(&scratch, colour, 0, 0, 2, 7, 4);
    ASSERT_NE(wider, nullptr);
    EXPECT_EQ(wider->width, 7);
    DisplayBitmap* asMask = reduceBitmapInto(&scratch, mask, 0, 0, 2, 7, 4);
    ASSERT_NE(asMask, nullptr);
    EXPECT_EQ(asMask->header.biBitCount, 1) << "another kind: made anew";
    EXPECT_EQ(asMask->colours[0].rgbRed, 255);
    EXPECT_EQ(livePixelBuffers(), before + 3) << "the old ones freed";

    EXPECT_EQ(reduceBitmapInto(&scratch, mask, 0, 0, 2, 8, 4), nullptr) << "column 14 does not exist";
    EXPECT_EQ(scratch, nullptr);
    failPixelAllocationAfter(0);
    EXPECT_EQ(reduceBitmapInto(&scratch, colour, 0, 0, 1, 3, 3), nullptr) << "out of memory";
    EXPECT_EQ(scratch, nullptr);
    freeDisplayBitmap(colour);
    freeDisplayBitmap(mask);
    EXPECT_EQ(livePixelBuffers(), before);
}

namespace {

// Each kind filled from a small generator, the mask with few clear bits as
// hot pixels are few.
struct Sources {
    DisplayBitmap* colour;
    DisplayBitmap* grey;
    DisplayBitmap* mask;
};

Sources makeSources(int32_t w, int32_t h, uint32_t seed)
{
    Sources s = {newColourBitmap(w, h), newGreyBitmap(w, h), newMaskBitmap(w, h)};
    for (int32_t y = 0; y < h; y++)
        for (int32_t x = 0; x < w; x++) {
            for (int b = 0; b < 3; b++) {
                seed = seed * 1103515245u + 12345u;
                bitmapRow(s.colour, y)[3 * x + b] = uint8_t(seed >> 16);
            }
            bitmapRow(s.grey, y)[x] = uint8_t(seed >> 8);
            if ((seed >> 24) % 7 != 0) bitmapRow(s.mask, y)[x >> 3] |= uint8_t(0x80 >> (x & 7));
        }
    return s;
}

void freeSources(Sources& s)
{
    freeDisplayBitmap(s.colour);
    freeDisplayBitmap(s.grey);
    freeDisplayBitmap(s.mask);
}

// Where the group's pixel (i, j) lies, or false beyond the edge.
bool inGroup(const DisplayBitmap* bm, int32_t x0, int32_t y0, int32_t step, int32_t i, int32_t j, int32_t* x,
             int32_t* y)
{
    *x = x0 + i;
    *y = y0 + j;
    return i < step && j < step && *x < bm->width && *y < bm->height;
}

}  // namespace

// At every step, offset and kind, each shown pixel against the group it
// stands for, with groups cut at the right and bottom edges.
TEST(ReducedBitmap, TheLargestRuleKeepsEachChannelsPeakAndEveryHotPixel)
{
    Sources s = makeSources(29, 23, 5);
    for (int32_t step : {1, 2, 3, 4, 7, 29})
        for (int32_t offset : {0, 1, 5, 9}) {
            int32_t w = (29 - offset + step - 1) / step, h = (23 - offset + step - 1) / step;
            DisplayBitmap* c = reduceBitmap(s.colour, offset, offset, step, w, h, {true, nullptr});
            DisplayBitmap* g = reduceBitmap(s.grey, offset, offset, step, w, h, {true, nullptr});
            DisplayBitmap* m = reduceBitmap(s.mask, offset, offset, step, w, h, {true, nullptr});
            ASSERT_TRUE(c && g && m) << step;
            for (int32_t j = 0; j < h; j++)
                for (int32_t i = 0; i < w; i++) {
                    int peak[4] = {0, 0, 0, 0};
                    bool hot = false;
                    int32_t x0 = offset + i * step, y0 = offset + j * step, x, y;
                    for (int32_t gj = 0; gj < step; gj++)
                        for (int32_t gi = 0; gi < step; gi++) {
                            if (!inGroup(s.colour, x0, y0, step, gi, gj, &x, &y)) continue;
                            for (int b = 0; b < 3; b++)
                                peak[b] = std::max<int>(peak[b], bitmapRow(s.colour, y)[3 * x + b]);
                            peak[3] = std::max<int>(peak[3], bitmapRow(s.grey, y)[x]);
                            hot |= !maskBit(s.mask, x, y);
                        }
                    for (int b = 0; b < 3; b++)
                        ASSERT_EQ(bitmapRow(c, j)[3 * i + b], peak[b]) << step << " " << offset << " " << i << "," << j;
                    ASSERT_EQ(bitmapRow(g, j)[i], peak[3]) << step << " " << i << "," << j;
                    ASSERT_EQ(maskBit(m, i, j), !hot) << step << " " << i << "," << j;
                }
            for (int32_t i = w; i < m->stride * 8; i++) EXPECT_FALSE(maskBit(m, i, 0)) << "padding";
            freeDisplayBitmap(c);
            freeDisplayBitmap(g);
            freeDisplayBitmap(m);
        }
    freeSources(s);
}

// The hot view: a group with a hot pixel shows its first one (rows first),
// in the picture and in the mask, and the readout names that pixel.
TEST(ReducedBitmap, AChooserMaskPicksEachGroupsFirstHotPixel)
{
    Sources s = makeSources(32, 19, 9);  // mask rows of exactly four bytes
    for (int32_t step : {2, 3, 8, 19})
        for (int32_t offset : {0, 3, 10}) {
            int32_t w = (32 - offset + step - 1) / step, h = (19 - offset + step - 1) / step;
            DisplayBitmap* c = reduceBitmap(s.colour, offset, offset, step, w, h, {false, s.mask});
            DisplayBitmap* m = reduceBitmap(s.mask, offset, offset, step, w, h, {false, s.mask});
            ASSERT_TRUE(c && m);
            for (int32_t j = 0; j < h; j++)
                for (int32_t i = 0; i < w; i++) {
                    int32_t x0 = offset + i * step, y0 = offset + j * step, x, y, fx = x0, fy = y0;
                    bool found = false;
                    for (int32_t gj = 0; gj < step && !found; gj++)
                        for (int32_t gi = 0; gi < step && !found; gi++)
                            if (inGroup(s.mask, x0, y0, step, gi, gj, &x, &y) && !maskBit(s.mask, x, y)) {
                                fx = x;
                                fy = y;
                                found = true;
                            }
                    ASSERT_EQ(memcmp(bitmapRow(c, j) + 3 * i, bitmapRow(s.colour, fy) + 3 * fx, 3), 0)
                        << step << " " << offset << " " << i << "," << j;
                    ASSERT_EQ(maskBit(m, i, j), !found) << step << " " << i << "," << j;
                    int32_t rx = x0, ry = y0;
                    groupPixel(s.colour, {false, s.mask}, 7, step, &rx, &ry);
                    ASSERT_EQ(rx, fx);
                    ASSERT_EQ(ry, fy);
                }
            freeDisplayBitmap(c);
            freeDisplayBitmap(m);
        }
    DisplayBitmap* small = newMaskBitmap(5, 5);
    EXPECT_EQ(reduceBitmap(s.colour, 0, 0, 2, 3, 3, {false, small}), nullptr) << "a chooser of another size";
    freeDisplayBitmap(small);
    freeSources(s);
}

// The difference view's readout: the group's pixel with the largest value
// in the channels shown, the first of equals; nothing moves at one to one
// or for a point outside the bitmap.
TEST(ReducedBitmap, TheReadoutNamesTheGroupsLargestInTheChannelsShown)
{
    DisplayBitmap* colour = newColourBitmap(6, 4);
    DisplayBitmap* grey = newGreyBitmap(6, 4);
    auto set = [&](int32_t x, int32_t y, uint8_t b, uint8_t g, uint8_t r) {
        uint8_t* p = bitmapRow(colour, y) + 3 * x;
        p[0] = b, p[1] = g, p[2] = r;
    };
    set(1, 0, 0, 0, 90);   // the red peak of group (0, 0)
    set(0, 1, 80, 0, 0);   // its blue peak
    set(1, 1, 0, 90, 0);   // green as large as the red: the red comes first
    set(2, 0, 0, 0, 200);  // beside group (0, 0): not in it
    set(5, 3, 0, 0, 255);  // the last pixel, in a group cut at the edge
    bitmapRow(grey, 1)[2] = bitmapRow(grey, 1)[3] = 7;
    const struct {
        const DisplayBitmap* source;
        unsigned bytes;
        int32_t x, y, step, wantX, wantY;
    } cases[] = {
        {colour, 7, 0, 0, 2, 1, 0}, {colour, 1, 0, 0, 2, 0, 1}, {colour, 2, 0, 0, 2, 1, 1},
        {colour, 7, 4, 2, 4, 5, 3}, {colour, 7, 0, 0, 1, 0, 0}, {grey, 0, 2, 0, 2, 2, 1},
        {colour, 7, 6, 0, 2, 6, 0}, {colour, 7, 0, -1, 2, 0, -1},
    };
    for (const auto& t : cases) {
        int32_t x = t.x, y = t.y;
        groupPixel(t.source, {true, nullptr}, t.bytes, t.step, &x, &y);
        EXPECT_EQ(x, t.wantX) << t.x << "," << t.y << " bytes " << t.bytes;
        EXPECT_EQ(y, t.wantY) << t.x << "," << t.y << " bytes " << t.bytes;
    }
    freeDisplayBitmap(colour);
    freeDisplayBitmap(grey);
}
