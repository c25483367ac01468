// Where the safe areas and the custom frame lie.
#include <gtest/gtest.h>
#include <math.h>

#include "display/safe_areas.h"

namespace {

void expectShape(const SafeShape& s, int left, int top, int right, int bottom, int corner)
{
    EXPECT_EQ(s.left, left);
    EXPECT_EQ(s.top, top);
    EXPECT_EQ(s.right, right);
    EXPECT_EQ(s.bottom, bottom);
    EXPECT_EQ(s.corner, corner);
}

SafeParams params(int kinds, float aspect = 1.85f, float margin = 0.02f)
{
    return SafeParams{aspect, margin, kinds, SAFE_OUTLINE};
}

}  // namespace

TEST(SafeAreas, VideoSafeIsFiveAndTenPercentInWithCornersFromTheHeight)
{
    SafeShapes s = safeShapes(640, 480, params(SAFE_VIDEO));
    ASSERT_TRUE(s.video);
    EXPECT_FALSE(s.custom);
    expectShape(s.action, 32, 24, 608, 456, 216);
    expectShape(s.title, 64, 48, 576, 432, 192);
    // An odd size: 5 % of 1001 is 50, of 333 is 16; the corners truncate.
    s = safeShapes(1001, 333, params(SAFE_VIDEO));
    expectShape(s.action, 50, 16, 951, 317, 150);
    expectShape(s.title, 100, 32, 901, 301, 134);
    s = safeShapes(4000, 2000, params(SAFE_VIDEO));
    EXPECT_EQ(s.action.left, 200) << "5 % of a width where a hundredth counts";
}

TEST(SafeAreas, ANarrowerImageGetsAFrameAcrossItsWidth)
{
    SafeShapes s = safeShapes(640, 480, params(SAFE_CUSTOM, 1.85f, 0.02f));
    ASSERT_TRUE(s.custom);
    EXPECT_FALSE(s.video);
    expectShape(s.frame, 12, 73, 628, 406, 0);
}

TEST(SafeAreas, AWiderImageGetsAFrameAcrossItsHeight)
{
    SafeShapes s = safeShapes(640, 480, params(SAFE_CUSTOM, 1.0f, 0.02f));
    expectShape(s.frame, 88, 9, 551, 471, 0);
    // Equal aspects take this branch too: the full height inside the margin.
    s = safeShapes(400, 200, params(SAFE_CUSTOM, 2.0f, 0.1f));
    expectShape(s.frame, 39, 20, 361, 180, 0);
    // 1998 / 1080 is 1.85f in single precision, not in double.
    s = safeShapes(1998, 1080, params(SAFE_CUSTOM, 1.85f, 0.0f));
    expectShape(s.frame, 0, 0, 1999, 1080, 0);
}

TEST(SafeAreas, BothKindsAtOnceAndNeither)
{
    SafeShapes s = safeShapes(640, 480, params(SAFE_VIDEO | SAFE_CUSTOM));
    EXPECT_TRUE(s.video);
    EXPECT_TRUE(s.custom);
    s = safeShapes(640, 480, params(0));
    EXPECT_FALSE(s.video);
    EXPECT_FALSE(s.custom);
}

TEST(SafeAreas, DamagedParametersDrawNoUndefinedShape)
{
    EXPECT_FALSE(safeShapes(640, 480, params(SAFE_CUSTOM, NAN)).custom);
    EXPECT_FALSE(safeShapes(640, 480, params(SAFE_CUSTOM, 0.0f)).custom);
    EXPECT_FALSE(safeShapes(640, 480, params(SAFE_CUSTOM, -1.85f)).custom);
    EXPECT_FALSE(safeShapes(640, 480, params(SAFE_CUSTOM, INFINITY)).custom);
    // A margin beyond half the image is held to half: nothing is left inside.
    SafeShapes s = safeShapes(640, 480, params(SAFE_CUSTOM, 1.0f, 7.0f));
    EXPECT_EQ(s.frame.top, 240);
    EXPECT_EQ(s.frame.bottom, 240);
    s = safeShapes(640, 480, params(SAFE_CUSTOM, 1.0f, NAN));
    EXPECT_EQ(s.frame.top, 0) << "no margin";
    // Extreme aspects give a line, not an overflow.
    s = safeShapes(640, 480, params(SAFE_CUSTOM, 1e-30f, 0.02f));
    expectShape(s.frame, 320, 9, 320, 471, 0);
    s = safeShapes(640, 480, params(SAFE_CUSTOM, 1e30f, 0.02f));
    expectShape(s.frame, 12, 240, 628, 240, 0);
    EXPECT_FALSE(safeShapes(0, 480, params(SAFE_VIDEO)).video) << "no image, no shape";
}
