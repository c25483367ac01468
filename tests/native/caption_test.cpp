// Captions: coverage, placement, clipping, the shadow, the undo region and
// what is re-converted. Text bitmaps are built by hand here; the glyphs
// themselves come from the platform and are tested under Wine.
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>

#include <vector>

#include "display/caption.h"
#include "display/levels.h"
#include "image_test_util.h"

namespace {

// A flat grey image of that size, in a view converted in full.
ViewPtr greyView(int width, int height, float value = 0.5f)
{
    Image* image = newImage(width, height, 1, 0);
    size_t n = size_t(width) * size_t(height);
    for (float* c : {image->red, image->green, image->blue, image->alpha})
        for (size_t i = 0; i < n; i++) c[i] = value;
    View* view = newView(image);
    rebuildDisplay(view);
    return ViewPtr(view);
}

// A text bitmap of full coverage (or the given value) over its whole size.
struct Block {
    TextBitmap bitmap;
    Block(int width, int height, int ascent, uint8_t value = 255)
    {
        EXPECT_TRUE(allocateTextBitmap(&bitmap, width, height, ascent));
        for (int j = 0; j < height; j++) memset(bitmap.coverage + size_t(j) * bitmap.stride, value, size_t(width));
    }
    ~Block() { freeTextBitmap(&bitmap); }
};

TextOptions optionsAt(int anchorX, int baselineY, uint32_t colour = 0x0000FF)
{
    TextOptions o = {};
    o.anchorX = anchorX;
    o.baselineY = baselineY;
    o.colour = colour;
    return o;
}

float redAt(const View* v, int x, int y)
{
    return v->image->red[size_t(y) * size_t(v->image->width) + size_t(x)];
}

std::vector<float> channelCopy(const Image* image)
{
    size_t n = size_t(image->width) * size_t(image->height);
    std::vector<float> all;
    for (const float* c : {image->red, image->green, image->blue, image->alpha}) all.insert(all.end(), c, c + n);
    return all;
}

}  // namespace

TEST(CaptionBlend, FullCoverageSetsTheTargetAndNoneLeavesTheValue)
{
    EXPECT_EQ(blendCoverage(255, 0.3f, 0.75f), 0.75f);
    EXPECT_EQ(blendCoverage(0, 0.3f, 0.75f), 0.3f);
    EXPECT_FLOAT_EQ(blendCoverage(51, 1.0f, 0.0f), 0.8f);
    EXPECT_FLOAT_EQ(blendCoverage(128, 0.0f, 1.0f), 128.0f / 255.0f);
    EXPECT_EQ(blendCoverage(255, NAN, 0.25f), 0.25f) << "full coverage replaces a NaN sample";
    EXPECT_EQ(blendCoverage(255, INFINITY, 1.0f), 1.0f);
    EXPECT_TRUE(isnan(blendCoverage(0, NAN, 1.0f))) << "no coverage leaves even a NaN";
    EXPECT_FLOAT_EQ(blendCoverage(1, 0.0f, 1.0f), 1.0f / 255.0f) << "the faintest coverage still counts";
    EXPECT_FLOAT_EQ(blendCoverage(254, 0.0f, 1.0f), 254.0f / 255.0f) << "only full coverage replaces";
    EXPECT_TRUE(isnan(blendCoverage(100, NAN, 1.0f))) << "a partial blend keeps what the rule makes of it";
    EXPECT_EQ(blendCoverage(100, INFINITY, 0.0f), INFINITY);
}

TEST(CaptionPlacement, AlignmentPutsTheLeftEdge)
{
    EXPECT_EQ(captionLeftX(200, ALIGN_LEFT, 101), 200);
    EXPECT_EQ(captionLeftX(200, ALIGN_CENTRE, 101), 150);
    EXPECT_EQ(captionLeftX(200, ALIGN_RIGHT, 101), 99);
    EXPECT_EQ(captionLeftX(-3, ALIGN_CENTRE, 5), -5) << "division truncates toward zero";
    EXPECT_EQ(captionLeftX(INT32_MIN + 10, ALIGN_RIGHT, 101), INT32_MIN) << "held to 32 bits, not wrapped";
    EXPECT_EQ(captionLeftX(INT32_MIN, ALIGN_CENTRE, 4), INT32_MIN);
    EXPECT_EQ(captionLeftX(INT32_MAX, ALIGN_RIGHT, -1), INT32_MAX);
}

TEST(CaptionGlyphs, LevelsCountFourTimesAddUpAndStopAtTheEdges)
{
    TextBitmap b;
    ASSERT_TRUE(allocateTextBitmap(&b, 5, 3, 2));
    EXPECT_EQ(b.stride, 8);
    const uint8_t glyph[2 * 4] = {64, 10, 32, 1, 0, 33, 64, 2};  // 2 rows, pitch 4, 3 columns used
    addGlyphCoverage(&b, glyph, 4, 3, 2, 1, 0);
    EXPECT_EQ(b.coverage[1], 255) << "64 is full";
    EXPECT_EQ(b.coverage[2], 40);
    EXPECT_EQ(b.coverage[3], 128);
    EXPECT_EQ(b.coverage[4], 0) << "the pitch's fourth byte is not a column";
    addGlyphCoverage(&b, glyph, 4, 3, 2, 2, 0);  // overlapping
    EXPECT_EQ(b.coverage[2], 255) << "40 + 255 stops at 255";
    EXPECT_EQ(b.coverage[3], 168);
    addGlyphCoverage(&b, glyph, 4, 3, 2, 4, 2);  // one row and two columns outside
    EXPECT_EQ(b.coverage[2 * 8 + 4], 255);
    addGlyphCoverage(&b, glyph, 4, 3, 2, -2, -1);
    EXPECT_EQ(b.coverage[0], 255) << "the part inside is kept: row 1, column 2 of the glyph";
    addGlyphCoverage(&b, glyph, 4, 3, 2, 4, 1);  // columns 5 and 6 lie in the row's padding
    EXPECT_EQ(b.coverage[8 + 4], 255);
    EXPECT_EQ(b.coverage[8 + 5], 0) << "the padding is not the text";
    EXPECT_EQ(b.coverage[8 + 6], 0);
    freeTextBitmap(&b);
    EXPECT_FALSE(allocateTextBitmap(&b, 1 << 20, 10, 8)) << "an unreasonable size is refused";
    EXPECT_FALSE(allocateTextBitmap(&b, 10, -1, 8)) << "a negative height alone is refused";
    EXPECT_FALSE(allocateTextBitmap(&b, -1, 10, 8));
}

TEST(CaptionUndo, TheRegionCoversTheShadowsOffsetEvenWhenItIsOff)
{
    ViewPtr view = greyView(64, 32);
    Block text(10, 6, 5);
    TextOptions o = optionsAt(20, 10);
    o.shadowDx = 2;
    o.shadowDy = 3;
    ASSERT_TRUE(stampCaption(&text.bitmap, &o, view.get()));
    ASSERT_NE(view->undo.piece, nullptr);
    EXPECT_EQ(view->undo.x, 20);
    EXPECT_EQ(view->undo.y, 5) << "baseline 10 less ascent 5";
    EXPECT_EQ(view->undo.piece->width, 12);
    EXPECT_EQ(view->undo.piece->height, 9);
    EXPECT_EQ(redAt(view.get(), 22, 12), 0.5f) << "the shadow is off: nothing darkened";

    o.shadowDx = -3;
    o.shadowDy = -1;
    ASSERT_TRUE(stampCaption(&text.bitmap, &o, view.get()));
    EXPECT_EQ(view->undo.x, 17) << "a shadow to the left widens the region leftward";
    EXPECT_EQ(view->undo.y, 4);
    EXPECT_EQ(view->undo.piece->width, 13);
    EXPECT_EQ(view->undo.piece->height, 7);
}

TEST(CaptionUndo, ACaptionPartlyOutsideIsClippedAndItsRegionIsTheInside)
{
    ViewPtr view = greyView(40, 20);
    Block text(30, 8, 6);
    TextOptions o = optionsAt(-12, 3);  // 12 columns left of the image, 3 rows above
    ASSERT_TRUE(stampCaption(&text.bitmap, &o, view.get()));
    EXPECT_EQ(view->undo.x, 0);
    EXPECT_EQ(view->undo.y, 0);
    EXPECT_EQ(view->undo.piece->width, 18);
    EXPECT_EQ(view->undo.piece->height, 5);
    EXPECT_EQ(redAt(view.get(), 17, 4), 1.0f);
    EXPECT_EQ(redAt(view.get(), 18, 4), 0.5f) << "past the text's right edge";
    EXPECT_EQ(redAt(view.get(), 0, 5), 0.5f) << "below it";

    o = optionsAt(35, 19);  // over the right and bottom edges
    ASSERT_TRUE(stampCaption(&text.bitmap, &o, view.get()));
    EXPECT_EQ(view->undo.piece->width, 5);
    EXPECT_EQ(view->undo.piece->height, 7);
    EXPECT_EQ(redAt(view.get(), 39, 19), 1.0f);
}

TEST(CaptionUndo, ACaptionAtOrPastTheEdgeDrawsNothingAndKeepsTheOldRegion)
{
    ViewPtr view = greyView(40, 20);
    Block text(8, 4, 3);
    TextOptions o = optionsAt(2, 5);
    ASSERT_TRUE(stampCaption(&text.bitmap, &o, view.get()));
    const Image* region = view->undo.piece;
    std::vector<float> before = channelCopy(view->image);
    for (TextOptions outside : {optionsAt(40, 5), optionsAt(100, 5), optionsAt(2, 23), optionsAt(-8, 5),
                                optionsAt(2, -1)}) {
        EXPECT_FALSE(stampCaption(&text.bitmap, &outside, view.get())) << outside.anchorX << "," << outside.baselineY;
        EXPECT_EQ(view->undo.piece, region) << "the old undo region stays";
    }
    EXPECT_EQ(channelCopy(view->image), before);
    TextOptions extreme = optionsAt(2, 5);
    extreme.anchorX = INT32_MAX;
    extreme.shadowDx = INT32_MAX;
    EXPECT_FALSE(stampCaption(&text.bitmap, &extreme, view.get())) << "settings-file extremes do not overflow";
}

TEST(CaptionUndo, UndoRestoresTheImageAndASecondUndoRedoes)
{
    ViewPtr view = greyView(30, 20);
    std::vector<float> original = channelCopy(view->image);
    Block text(9, 5, 4, 200);
    TextOptions o = optionsAt(6, 8, 0x00FFFF);
    o.shadowEnabled = 1;
    o.shadowDx = o.shadowDy = 2;
    ASSERT_TRUE(stampCaption(&text.bitmap, &o, view.get()));
    std::vector<float> drawn = channelCopy(view->image);
    ASSERT_NE(drawn, original);
    swapUndoRegion(view.get());
    EXPECT_EQ(channelCopy(view->image), original);
    swapUndoRegion(view.get());
    EXPECT_EQ(channelCopy(view->image), drawn) << "undo twice is the caption again";

    Block second(4, 3, 2);
    TextOptions o2 = optionsAt(20, 15);
    ASSERT_TRUE(stampCaption(&second.bitmap, &o2, view.get()));
    swapUndoRegion(view.get());
    EXPECT_EQ(channelCopy(view->image), drawn) << "undo removes only the second caption";
    ViewPtr none = greyView(4, 4);
    const std::vector<float> plain = channelCopy(none->image);
    swapUndoRegion(none.get());
    EXPECT_EQ(channelCopy(none->image), plain) << "nothing to undo: nothing happens";
}

TEST(CaptionUndo, AnEmptyCaptionWithAShadowOffsetLeavesAStripAsItsRegion)
{
    ViewPtr view = greyView(30, 20);
    Block first(5, 5, 4);
    TextOptions o = optionsAt(3, 10);
    ASSERT_TRUE(stampCaption(&first.bitmap, &o, view.get()));
    std::vector<float> before = channelCopy(view->image);
    Block empty(0, 12, 9);
    TextOptions e = optionsAt(10, 10);
    e.shadowDx = 2;
    ASSERT_TRUE(stampCaption(&empty.bitmap, &e, view.get()));
    EXPECT_EQ(view->undo.piece->width, 2);
    EXPECT_EQ(view->undo.piece->height, 12);
    EXPECT_EQ(channelCopy(view->image), before) << "nothing is drawn";
    e.shadowDx = 0;
    EXPECT_FALSE(stampCaption(&empty.bitmap, &e, view.get())) << "without an offset there is nothing to keep";
}

TEST(CaptionBlend, TheFaintestEdgeOfAGlyphStillBlends)
{
    ViewPtr view = greyView(8, 4, 0.0f);
    Block faint(3, 1, 1, 1);
    TextOptions o = optionsAt(2, 1, 0xFFFFFF);
    ASSERT_TRUE(stampCaption(&faint.bitmap, &o, view.get()));
    EXPECT_FLOAT_EQ(redAt(view.get(), 3, 0), 1.0f / 255.0f);
}

TEST(CaptionBlend, TheShadowIsBlackWithoutAlphaAndTheTextOpaqueOnTop)
{
    ViewPtr view = greyView(20, 20);
    Block text(4, 4, 4);
    TextOptions o = optionsAt(5, 9, 0x00FFFF);  // yellow: red and green full, no blue
    o.shadowEnabled = 1;
    o.shadowDx = 1;
    o.shadowDy = 1;
    ASSERT_TRUE(stampCaption(&text.bitmap, &o, view.get()));
    const Image* im = view->image;
    size_t text_ = 6 * 20 + 6, shadowOnly = 9 * 20 + 9, outside = 1 * 20 + 1;
    EXPECT_EQ(im->red[text_], 1.0f);
    EXPECT_EQ(im->green[text_], 1.0f);
    EXPECT_EQ(im->blue[text_], 0.0f);
    EXPECT_EQ(im->alpha[text_], 1.0f) << "a downward shadow lies under the text";
    for (const float* c : {im->red, im->green, im->blue, im->alpha}) EXPECT_EQ(c[shadowOnly], 0.0f);
    EXPECT_EQ(im->red[outside], 0.5f);

    ViewPtr up = greyView(20, 20);
    o.shadowDy = -1;
    ASSERT_TRUE(stampCaption(&text.bitmap, &o, up.get()));
    EXPECT_EQ(up->image->red[size_t(6) * 20 + 6], 0.0f) << "an upward shadow darkens text rows drawn before it";
    EXPECT_EQ(up->image->red[size_t(8) * 20 + 6], 1.0f) << "the last text row has no shadow row after it";
}

TEST(CaptionDisplay, OnlyTheCaptionsRectangleIsConvertedAgain)
{
    Image* image = newImage(50, 30, 1, 0);
    for (float* c : {image->red, image->green, image->blue, image->alpha})
        for (int i = 0; i < 50 * 30; i++) c[i] = 0.5f;
    ViewPtr view(canaryView(image, 0xA5));
    ASSERT_TRUE(view);
    Block text(7, 4, 3);
    TextOptions o = optionsAt(10, 12);
    o.shadowDx = 1;
    o.shadowDy = 2;
    ASSERT_TRUE(stampCaption(&text.bitmap, &o, view.get()));
    const DisplayBitmap* colour = view->colour;
    int converted = 0;
    for (int y = 0; y < 30; y++)
        for (int x = 0; x < 50; x++) {
            const uint8_t* p = bitmapRow(colour, y) + 3 * x;
            bool inside = x >= 10 && x < 18 && y >= 9 && y < 15;
            if (p[0] != 0xA5 || p[1] != 0xA5 || p[2] != 0xA5) converted++;
            if (!inside) {
                ASSERT_EQ(p[0], 0xA5) << x << "," << y;
            }
        }
    EXPECT_EQ(converted, 8 * 6) << "the whole rectangle, shadow columns and rows included";
    EXPECT_EQ(bitmapRow(colour, 10)[3 * 12 + 2], 255) << "red text";
    EXPECT_EQ(bitmapRow(view->alpha, 13)[12], 127) << "0.5 untouched under the offset";
}

TEST(CaptionDisplay, NanAndInfiniteSamplesUnderACaptionEndAsTheBlendRuleSays)
{
    ViewPtr view = greyView(10, 4);
    Image* im = view->image;
    im->red[1] = NAN, im->red[2] = INFINITY, im->red[3] = NAN, im->red[4] = -INFINITY;
    Block text(2, 1, 1, 255);
    text.bitmap.coverage[1] = 0;       // column 1 of the text untouched
    Block half(2, 1, 1, 100);
    TextOptions o = optionsAt(1, 1, 0x000000);  // black text
    ASSERT_TRUE(stampCaption(&text.bitmap, &o, view.get()));
    EXPECT_EQ(im->red[1], 0.0f) << "full coverage: the target";
    EXPECT_EQ(im->red[2], INFINITY) << "no coverage: as it was";
    TextOptions o2 = optionsAt(3, 1, 0x000000);
    ASSERT_TRUE(stampCaption(&half.bitmap, &o2, view.get()));
    EXPECT_TRUE(isnan(im->red[3]));
    EXPECT_EQ(im->red[4], -INFINITY);
    const uint8_t* row = bitmapRow(view->colour, 0);
    EXPECT_EQ(row[3 * 1 + 2], 0);
    EXPECT_EQ(row[3 * 2 + 2], 255) << "infinity shows full";
    EXPECT_EQ(row[3 * 3 + 2], 0) << "NaN shows as 0, never as anything else";
    EXPECT_EQ(row[3 * 4 + 2], 0);
}

// Any missing piece refuses the caption and changes nothing.
TEST(CaptionUndo, NoBitmapOptionsViewOrImageStampsNothing)
{
    ViewPtr view = greyView(10, 6);
    Block text(4, 2, 2);
    TextOptions o = optionsAt(1, 3);
    std::vector<float> before = channelCopy(view->image);
    EXPECT_FALSE(stampCaption(nullptr, &o, view.get()));
    EXPECT_FALSE(stampCaption(&text.bitmap, nullptr, view.get()));
    EXPECT_FALSE(stampCaption(&text.bitmap, &o, nullptr));
    EXPECT_EQ(channelCopy(view->image), before);
    EXPECT_EQ(view->undo.piece, nullptr);
    Image* image = view->image;
    view->image = nullptr;
    EXPECT_FALSE(stampCaption(&text.bitmap, &o, view.get()));
    view->image = image;
}
