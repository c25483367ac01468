// The hot pixel test, its limits, and the mask built from a colour bitmap.
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>

#include <vector>

#include "display/hot_pixels.h"
#include "display/levels.h"
#include "image_test_util.h"
#include "vector_paths.h"

namespace {

void prepareDefaults(int standard = 0, double composite = 110.0)
{
    prepareHotTables(standard, 7.5, composite, 50.0);
}

// A view of width × height whose colour bitmap the test fills itself.
View* blankView(int width, int height)
{
    View* view = canaryView(newImage(width, height, 1, 0), 0);
    view->hot = {0, 7.5f, 110.0f, 50.0f};
    return view;
}

void setColour(View* view, int x, int y, int r, int g, int b)
{
    uint8_t* p = bitmapRow(view->colour, y) + 3 * x;
    p[0] = uint8_t(b);
    p[1] = uint8_t(g);
    p[2] = uint8_t(r);
}

// 1 when the mask marks (x, y) as hot (bit cleared).
int maskSaysHot(const View* view, int x, int y)
{
    uint8_t byte = bitmapRow(view->hotMask, y)[x / 8];
    return ((byte >> (7 - x % 8)) & 1) == 0;
}

}  // namespace

TEST(HotLimits, DefaultsGiveTheDocumentedTableUnits)
{
    prepareDefaults();
    EXPECT_EQ(hotLumaLimit(), 9078);
    EXPECT_EQ(hotChromaLimit(), 4428);
}

// Verdicts under each parameter set: chroma catches pure red and green,
// the composite yellow, the luma white only at a composite limit of 100.
TEST(HotPixel, EachLimitCatchesItsColours)
{
    const struct {
        int standard;
        double pedestal, composite, chroma;
        int r, g, b;
        bool hot;
    } cases[] = {
        {0, 7.5, 110, 50, 0, 0, 0, false},       {0, 7.5, 110, 50, 255, 255, 255, false},
        {0, 7.5, 110, 50, 128, 128, 128, false}, {0, 7.5, 110, 50, 255, 0, 0, true},
        {0, 7.5, 110, 50, 0, 255, 0, true},      {0, 7.5, 110, 50, 0, 0, 255, false},
        {0, 7.5, 110, 50, 255, 255, 0, true},    {0, 7.5, 110, 50, 200, 0, 0, true},
        {0, 7.5, 110, 50, 160, 0, 0, false},     {0, 7.5, 1e6, 50, 255, 255, 0, false},  // only the composite
        {1, 7.5, 110, 50, 0, 0, 255, false},     {1, 7.5, 110, 50, 180, 0, 0, true},       // PAL
        {1, 7.5, 110, 50, 255, 255, 255, false}, {0, 7.5, 100, 50, 255, 255, 255, true},
        {0, 7.5, 1e12, 1e12, 255, 0, 0, false},  {0, 7.5, -1e12, 50, 0, 0, 0, true},       // extremes
        {0, 7.5, NAN, NAN, 255, 255, 0, false},
    };
    for (const auto& t : cases) {
        prepareHotTables(t.standard, t.pedestal, t.composite, t.chroma);
        EXPECT_EQ(isHotPixel(t.r, t.g, t.b), t.hot)
            << t.r << "," << t.g << "," << t.b << " standard " << t.standard << " composite " << t.composite;
    }
    prepareDefaults(0, 100.0);
    EXPECT_EQ(hotLumaLimit(), 8192);
}

// Tables are kept while the parameters stay the same; every standard but 0
// is PAL, and going from one to NTSC must not keep the PAL tables.
TEST(HotPixel, TablesFollowTheStandardWhateverItsNumber)
{
    auto verdicts = [] {
        std::vector<int> v;
        for (int r = 0; r < 256; r += 15)
            for (int g = 0; g < 256; g += 15)
                for (int b = 0; b < 256; b += 15) v.push_back(isHotPixel(r, g, b));
        return v;
    };
    prepareDefaults(0);
    std::vector<int> ntsc = verdicts();
    prepareDefaults(1);
    std::vector<int> pal = verdicts();
    ASSERT_NE(ntsc, pal) << "the two standards differ on this grid";
    for (int other : {2, -1}) {
        prepareDefaults(other);
        EXPECT_EQ(verdicts(), pal) << "standard " << other;
        prepareDefaults(0);
        EXPECT_EQ(verdicts(), ntsc) << "after standard " << other;
    }
}

TEST(HotPixel, APedestalOf100OrMoreLeavesNothingHot)
{
    for (double pedestal : {100.0, 150.0, double(NAN)}) {
        prepareHotTables(0, pedestal, 110.0, 50.0);
        for (int v = 0; v < 256; v += 15) {
            EXPECT_FALSE(isHotPixel(v, 0, 0)) << pedestal;
            EXPECT_FALSE(isHotPixel(v, v, 0)) << pedestal;
        }
    }
}

TEST(HotMask, LeftmostPixelIsBitSevenAndHotReadsZero)
{
    ViewPtr view(blankView(10, 2));
    setColour(view.get(), 0, 0, 255, 0, 0);  // hot
    setColour(view.get(), 9, 1, 0, 255, 0);  // hot, in the second byte
    buildHotMask(view.get());
    const uint8_t* top = bitmapRow(view->hotMask, 0);
    const uint8_t* bottom = bitmapRow(view->hotMask, 1);
    EXPECT_EQ(top[0], 0x7F);
    EXPECT_EQ(top[1], 0xFF) << "columns past the width are not hot";
    EXPECT_EQ(bottom[0], 0xFF);
    EXPECT_EQ(bottom[1], 0xBF);
    EXPECT_EQ(view->hotMask->stride, 4);
    EXPECT_EQ(top[2], 0xFF);
    EXPECT_EQ(top[3], 0xFF);
}

TEST(HotMask, MatchesThePixelTestEverywhere)
{
    onEveryPath([] {
        for (int standard : {0, 1}) {
            ImagePtr image(randomImage(37, 9, 11 + standard));
            ViewPtr view(canaryView(image.release(), 0x3C));
            view->hot = {standard, 7.5f, 110.0f, 50.0f};
            convertColour(view->image, view->colour);
            buildHotMask(view.get());
            prepareHotTables(standard, 7.5, 110.0, 50.0);
            int hot = 0;
            for (int y = 0; y < 9; y++)
                for (int x = 0; x < 37; x++) {
                    const uint8_t* p = bitmapRow(view->colour, y) + 3 * x;
                    int expected = isHotPixel(p[2], p[1], p[0]);
                    hot += expected;
                    ASSERT_EQ(maskSaysHot(view.get(), x, y), expected) << x << "," << y;
                }
            EXPECT_GT(hot, 10) << "the random image should hold hot pixels";
        }
    });
}

TEST(HotMask, FollowsTheLevels)
{
    ImagePtr image(newImage(1, 1, 1, 0));
    image->red[0] = 0.7f;
    image->green[0] = image->blue[0] = 0.0f;
    image->alpha[0] = 1.0f;
    ViewPtr view(blankView(1, 1));
    freeImage(view->image);
    view->image = image.release();
    rebuildDisplay(view.get());
    EXPECT_FALSE(maskSaysHot(view.get(), 0, 0));  // red 178
    view->image->white = 0.7f;
    refreshDisplay(view.get(), REFRESH_LEVELS);
    EXPECT_TRUE(maskSaysHot(view.get(), 0, 0));  // red 255
}

TEST(HotMaskRect, UpdatesWholeByteGroupsFromAnOddColumn)
{
    ViewPtr view(blankView(100, 3));
    buildHotMask(view.get());  // all black: nothing hot
    for (int x = 0; x < 100; x++) setColour(view.get(), x, 1, 255, 0, 0);  // the whole row turns hot
    uint8_t* row = bitmapRow(view->hotMask, 1);
    updateHotMaskRect(view.get(), 13, 1, 5, 1);
    // Span: byte 1 (column 8) for 5 + 13 % 8 = 10 columns, rounded up to 32: bytes 1 to 4.
    EXPECT_EQ(row[0], 0xFF) << "before the span";
    for (int b = 1; b <= 4; b++) EXPECT_EQ(row[b], 0x00) << b;
    EXPECT_EQ(row[5], 0xFF) << "after the span";
    EXPECT_EQ(bitmapRow(view->hotMask, 0)[2], 0xFF) << "other rows";
    EXPECT_EQ(bitmapRow(view->hotMask, 2)[2], 0xFF);
}

TEST(HotMaskRect, ARectangleTallerThanWhatIsLeftStopsAtTheLastRow)
{
    ViewPtr view(blankView(16, 4));
    buildHotMask(view.get());
    for (int y = 0; y < 4; y++) setColour(view.get(), 3, y, 255, 0, 0);
    updateHotMaskRect(view.get(), 0, 2, 16, 3);  // one row more than is left
    EXPECT_FALSE(maskSaysHot(view.get(), 3, 1)) << "above the rectangle";
    EXPECT_TRUE(maskSaysHot(view.get(), 3, 2));
    EXPECT_TRUE(maskSaysHot(view.get(), 3, 3));
}

TEST(HotMaskRect, IsCutAtTheEndOfTheRow)
{
    ViewPtr view(blankView(40, 1));  // mask stride 8
    memset(view->hotMask->pixels, 0x5A, 8);
    for (int x = 0; x < 40; x++) setColour(view.get(), x, 0, 0, 255, 0);
    updateHotMaskRect(view.get(), 35, 0, 5, 1);
    const uint8_t* row = bitmapRow(view->hotMask, 0);
    EXPECT_EQ(row[3], 0x5A);
    EXPECT_EQ(row[4], 0x00);
    EXPECT_EQ(row[5], 0xFF) << "past the width: not hot";
    EXPECT_EQ(row[7], 0xFF);
    memset(view->hotMask->pixels, 0x5A, 8);
    updateHotMaskRect(view.get(), 40, 0, 5, 1);  // starts just past the last column
    for (int b = 0; b < 8; b++) EXPECT_EQ(row[b], 0x5A) << "byte " << b;
}

TEST(HotMask, MatchesThePixelTestAcrossTheColourCube)
{
    struct Params {
        int standard;
        float pedestal, composite, chroma;
    } sets[] = {{0, 7.5f, 110.0f, 50.0f}, {1, 7.5f, 110.0f, 50.0f}, {0, 7.5f, 100.0f, 50.0f},
                {1, 0.0f, 120.0f, 40.0f}, {0, 90.0f, 95.0f, 5.0f},  {0, 7.5f, 110.0f, 1e6f},
                // Limits beyond the packed tables' 16-bit lanes: luma above and below, chroma between.
                {0, 7.5f, 400.0f, 50.0f}, {0, 7.5f, -200.0f, 50.0f}, {1, 7.5f, 110.0f, 600.0f}};
    ViewPtr view(blankView(256, 256));  // pixel (x, y): red x, green y
    onEveryPath([&] {
        for (const Params& p : sets) {
            view->hot = {p.standard, p.pedestal, p.composite, p.chroma};
            for (int blueShift = 0; blueShift < 256; blueShift += 37) {
                for (int y = 0; y < 256; y++)
                    for (int x = 0; x < 256; x++) setColour(view.get(), x, y, x, y, (x * 7 + y * 13 + blueShift) & 255);
                buildHotMask(view.get());
                prepareHotTables(p.standard, p.pedestal, p.composite, p.chroma);
                for (int y = 0; y < 256; y++)
                    for (int x = 0; x < 256; x++)
                        ASSERT_EQ(maskSaysHot(view.get(), x, y),
                                  isHotPixel(x, y, (x * 7 + y * 13 + blueShift) & 255))
                            << x << "," << y << " standard " << p.standard << " composite " << p.composite;
            }
        }
    });
}
