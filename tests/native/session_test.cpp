// The session's arithmetic: render time and frame number.
#include <gtest/gtest.h>

#include "host/session.h"

TEST(RenderTime, IsTenthsOfASecondSinceOpenTruncated)
{
    EXPECT_EQ(renderTimeTenths(1000, 1000 + 83460), 834);
    EXPECT_EQ(renderTimeTenths(0, 99), 0);
    EXPECT_EQ(renderTimeTenths(0, 100), 1);
    EXPECT_EQ(renderTimeTenths(5, 5), 0);
}

TEST(RenderTime, SurvivesTheClockWrapping)
{
    EXPECT_EQ(renderTimeTenths(0xFFFFFF00u, 0x00000100u), 5);
}

TEST(FrameNumber, RoundsHalfUpFromTheHostTime)
{
    EXPECT_EQ(frameNumberAt(30.0, 1.4666f), 44);
    EXPECT_EQ(frameNumberAt(30.0, 0.0f), 0);
    EXPECT_EQ(frameNumberAt(25.0, 2.0f), 50);
    EXPECT_EQ(frameNumberAt(24.0, 1.0f / 48.0f), 1);  // exactly half a frame
    EXPECT_EQ(frameNumberAt(29.97, 10.0f), 300);
}
