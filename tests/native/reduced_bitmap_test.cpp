// The pane's picture below one to one: every step-th pixel of each kind of
// display bitmap.
#include <gtest/gtest.h>
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
