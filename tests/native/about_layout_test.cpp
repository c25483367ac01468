// The about box's place and its build date text.
#include <gtest/gtest.h>

#include "dialogs/about_layout.h"
#include "dialogs/placement.h"

TEST(AboutPlacement, CentredOnTheOwnerAndHeldInsideTheDesktop)
{
    const ScreenRect desktop = {0, 0, 1600, 1200};
    ScreenPoint p = placeOverOwner({100, 100, 900, 700}, 350, 150, desktop);
    EXPECT_EQ(p.x, 325);
    EXPECT_EQ(p.y, 325);
    p = placeOverOwner({1400, 1100, 1800, 1400}, 350, 150, desktop);
    EXPECT_EQ(p.x, 1250) << "moved back from the right edge";
    EXPECT_EQ(p.y, 1050) << "and from the bottom";
    p = placeOverOwner({1250, 1050, 1600, 1200}, 350, 150, desktop);
    EXPECT_EQ(p.x, 1250) << "exactly at the edges stays";
    EXPECT_EQ(p.y, 1050);
    p = placeOverOwner({-400, -300, 0, 0}, 350, 150, desktop);
    EXPECT_EQ(p.x, 0) << "never left of the desktop";
    EXPECT_EQ(p.y, 0);
    p = placeOverOwner({0, 0, 101, 51}, 350, 150, desktop);
    EXPECT_EQ(p.x, 0) << "(101 - 350) / 2 truncates toward zero to -124, then held at 0";
    p = placeOverOwner({0, 0, 200, 200}, 350, 150, {0, 0, 300, 100});
    EXPECT_EQ(p.x, 0) << "a box larger than the desktop keeps its left edge on it";
    EXPECT_EQ(p.y, 0);
    // A desktop that reaches left of the primary screen, its top under a bar.
    p = placeOverOwner({-1300, 0, -1000, 100}, 350, 150, {-1280, 30, 1600, 1200});
    EXPECT_EQ(p.x, -1280) << "held at the desktop's own left edge";
    EXPECT_EQ(p.y, 30) << "and its top";
}

TEST(AboutPlacement, TheBuildDateReadsLikeJan212009)
{
    char text[32];
    buildDateText("Jan 21 2009", text, sizeof text);
    EXPECT_STREQ(text, "Jan 21 2009");
    buildDateText("Dec  8 2026", text, sizeof text);
    EXPECT_STREQ(text, "Dec 8 2026") << "the compiler's padding blank goes";
    buildDateText("garbled", text, sizeof text);
    EXPECT_STREQ(text, "garbled");
    char small[5] = "xxxx";
    buildDateText("Jan 21 2009", small, 4);
    EXPECT_STREQ(small, "Jan");
    char untouched[4] = "abc";
    buildDateText("Jan 21 2009", untouched, 0);
    buildDateText("Jan 21 2009", untouched, -1);
    EXPECT_STREQ(untouched, "abc") << "no room, nothing written";
}
