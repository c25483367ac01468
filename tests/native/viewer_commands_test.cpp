// The viewer's command table, keys, zoom text, status parts and meter.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "image/image.h"
#include "image/view_state.h"
#include "viewer/held_frames.h"
#include "viewer/progress.h"
#include "viewer/status_layout.h"
#include "viewer/viewer_commands.h"
#include "viewer/zoom.h"

// Keys outside the table do nothing: capitals, and letters it leaves free.
TEST(CharacterKeys, OnlyTheTablesKeysAct)
{
    for (char other : {'S', 'W', 'e', 'k', ' ', '\0'}) {
        EXPECT_EQ(commandOfCharacter(other), 0) << int(other);
        EXPECT_EQ(actionOfCharacter(other), CHAR_NONE) << int(other);
    }
}

TEST(ZoomText, WholeMagnificationsAndDivisors)
{
    char text[16];
    const std::pair<int, const char*> cases[] = {{64, "1x"}, {63, "1/2x"}, {0, "1/65x"}, {128, "65x"}, {66, "3x"}};
    for (auto [index, expected] : cases) {
        formatZoom(index, text, sizeof text);
        EXPECT_STREQ(text, expected) << index;
    }
}

TEST(ZoomScale, FollowsTheIndex)
{
    EXPECT_EQ(zoomScaleOf(64), 1.0f);
    EXPECT_EQ(zoomScaleOf(66), 3.0f);
    EXPECT_EQ(zoomScaleOf(128), 65.0f);
    EXPECT_EQ(zoomScaleOf(63), 0.5f);
    EXPECT_EQ(zoomScaleOf(0), 1.0f / 65.0f);
    EXPECT_EQ(scaledSize(33, 63), 16);
    EXPECT_EQ(scaledSize(3840, 128), 249600);
}

TEST(StatusParts, FixedPartsKeepTheirWidthsAtTheRight)
{
    const StatusWidths w = {40, 80, 160, 72, 16, 70, 0, 0};
    int32_t edges[5];
    statusPartEdges(700, w, 0, edges);
    const int32_t expected[5] = {332, 372, 452, 612, 684};
    for (int i = 0; i < 5; i++) EXPECT_EQ(edges[i], expected[i]) << i;
}

TEST(StatusParts, TheNamePartKeepsItsLeastWidth)
{
    const StatusWidths w = {40, 80, 160, 72, 16, 70, 0, 0};
    ASSERT_EQ(statusMinimumWidth(w, 0), 438);
    int32_t edges[5];
    statusPartEdges(438, w, 0, edges);  // exactly the least width
    EXPECT_EQ(edges[0], 70);
    EXPECT_EQ(edges[4], 438 - 16);
    statusPartEdges(300, w, 0, edges);  // narrower: the parts run past the edge
    EXPECT_EQ(edges[0], 70);
    EXPECT_EQ(edges[1] - edges[0], 40);
    EXPECT_EQ(edges[4] - edges[3], 72);
}

// While comparing, the values part holds the whole comparison's readout,
// and the least width grows by it and by the reference after the name.
TEST(StatusParts, ComparingGivesTheValuesTheirWholeReadout)
{
    const StatusWidths w = {40, 80, 160, 72, 16, 70, 400, 50};
    ASSERT_EQ(statusMinimumWidth(w, 1), 728);
    int32_t edges[5];
    for (int32_t width : {1000, 728, 500}) {  // room to spare, exactly the least, narrower
        statusPartEdges(width, w, 1, edges);
        EXPECT_EQ(edges[3] - edges[2], 400) << width;
        EXPECT_EQ(edges[0], (width > 728 ? width : 728) - 16 - 72 - 400 - 80 - 40) << width;
    }
    statusPartEdges(1000, w, 0, edges);
    EXPECT_EQ(edges[3] - edges[2], 160) << "not comparing";
    const StatusWidths narrow = {40, 80, 160, 72, 16, 70, 100, 50};
    EXPECT_EQ(statusMinimumWidth(narrow, 1), 488) << "never narrower than the plain values";
}

TEST(Ellipsis, CutsBeforeTheLastCharacterThatWouldOverflow)
{
    const int32_t prefix[6] = {7, 14, 20, 27, 34, 40};  // six characters
    EXPECT_EQ(charactersBeforeEllipsis(prefix, 6, 9, 40), 6u) << "exactly fits: no ellipsis";
    EXPECT_EQ(charactersBeforeEllipsis(prefix, 6, 9, 39), 4u) << "27 + 9 fits, 34 + 9 does not";
    EXPECT_EQ(charactersBeforeEllipsis(prefix, 6, 9, 36), 4u);
    EXPECT_EQ(charactersBeforeEllipsis(prefix, 6, 9, 35), 3u);
    EXPECT_EQ(charactersBeforeEllipsis(prefix, 6, 9, 16), 1u);
    EXPECT_EQ(charactersBeforeEllipsis(prefix, 6, 9, 15), 0u) << "only the ellipsis";
    EXPECT_EQ(charactersBeforeEllipsis(prefix, 6, 9, 0), 0u);
    EXPECT_EQ(charactersBeforeEllipsis(prefix, 0, 9, 0), 0u) << "an empty name";
}

TEST(SlotStepping, GoesRoundToTheNextOccupied)
{
    const int occupied[10] = {1, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(nextOccupiedSlot(0, occupied, +1), 2);
    EXPECT_EQ(nextOccupiedSlot(9, occupied, +1), 0);
    EXPECT_EQ(nextOccupiedSlot(0, occupied, -1), 9);
    EXPECT_EQ(nextOccupiedSlot(2, occupied, -1), 0);
    const int single[10] = {0, 0, 0, 1};
    EXPECT_EQ(nextOccupiedSlot(3, single, +1), -1);
    EXPECT_EQ(nextOccupiedSlot(3, single, -1), -1);
}

TEST(ProgressMeter, DrawsAtMostEvery50MsAndClearsAtTheEnd)
{
    ProgressMeter m = {};
    EXPECT_EQ(progressStep(&m, 4, 1000), PROGRESS_DRAW);
    EXPECT_EQ(progressFilledWidth(&m, 68), 0);
    EXPECT_EQ(progressStep(&m, 0, 1010), PROGRESS_NONE);
    EXPECT_EQ(progressStep(&m, 0, 1050), PROGRESS_NONE);  // exactly 50 ms: still too soon
    EXPECT_EQ(progressStep(&m, 0, 1051), PROGRESS_DRAW);
    EXPECT_EQ(progressFilledWidth(&m, 68), 51);  // 3 of 4
    EXPECT_EQ(progressStep(&m, 0, 1052), PROGRESS_CLEAR) << "the final step always shows";
}

TEST(ProgressMeter, HeightOneWritersFinishOnTheirLastStep)
{
    ProgressMeter m = {};
    progressStep(&m, 2, 0);  // a host saver: height + 1
    EXPECT_EQ(progressStep(&m, 0, 1), PROGRESS_NONE);
    EXPECT_EQ(progressStep(&m, 0, 2), PROGRESS_CLEAR);
    progressStep(&m, 1, 0);  // the IFF writer: height
    EXPECT_EQ(progressStep(&m, 0, 1), PROGRESS_CLEAR);
}

TEST(ProgressMeter, FillsNothingBeforeItStartsAndAllOfAOneStepJob)
{
    ProgressMeter m = {};
    EXPECT_EQ(progressFilledWidth(&m, 68), 0);
    progressStep(&m, 1, 0);
    EXPECT_EQ(progressFilledWidth(&m, 68), 0);
    progressStep(&m, 0, 100);
    EXPECT_EQ(progressFilledWidth(&m, 68), 68);
}

TEST(ProgressMeter, AWrappedTickCountDraws)
{
    ProgressMeter m = {};
    progressStep(&m, 10, 0xFFFFFFF0u);
    EXPECT_EQ(progressStep(&m, 0, 5), PROGRESS_DRAW);
}

TEST(SlotTips, NameSizeAndRenderTime)
{
    char text[128];
    formatSlotTip(text, sizeof text, 0, "Untitled1", 1280, 720, 84);
    EXPECT_STREQ(text, "Slot 1: Untitled1, 1280 x 720, rendered in 8.4 s");
    formatSlotTip(text, sizeof text, 9, "beauty.iff", 3840, 2160, 1250);
    EXPECT_STREQ(text, "Slot 10: beauty.iff, 3840 x 2160, rendered in 2 min 5 s");
    formatSlotTip(text, sizeof text, 2, "long", 64, 48, 36000 + 7 * 600 + 59);
    EXPECT_STREQ(text, "Slot 3: long, 64 x 48, rendered in 1 h 7 min");
    formatSlotTip(text, sizeof text, 2, "x", 1, 1, 599);
    EXPECT_STREQ(text, "Slot 3: x, 1 x 1, rendered in 59.9 s") << "just under a minute";
    formatSlotTip(text, sizeof text, 2, "x", 1, 1, 600);
    EXPECT_STREQ(text, "Slot 3: x, 1 x 1, rendered in 1 min 0 s");
    formatSlotTip(text, sizeof text, 4, "Untitled5", 64, 48, 0);
    EXPECT_STREQ(text, "Slot 5: Untitled5, 64 x 48") << "no time known";
    formatSlotTip(text, sizeof text, 4, nullptr, 0, 0, 0);
    EXPECT_STREQ(text, "Slot 5: empty");
}

TEST(SlotTips, ALongNameIsCutToTheBuffer)
{
    std::string name(400, 'n');
    char text[64];
    memset(text, '#', sizeof text);
    formatSlotTip(text, sizeof text, 0, name.c_str(), 64, 48, 10);
    EXPECT_EQ(strlen(text), sizeof text - 1);
    EXPECT_EQ(std::string(text, 9), "Slot 1: n");
}

// Frames behind an open dialog: the last ten wait, in their order, and each
// one beyond them hands back the oldest, across the ring's wrap.
TEST(HeldFrames, KeepTheLastTenInTheirOrder)
{
    Image frames[25] = {};
    HeldFrames held = {};
    EXPECT_EQ(takeHeldFrame(&held), nullptr);
    EXPECT_EQ(holdFrame(&held, &frames[0]), nullptr);
    EXPECT_EQ(takeHeldFrame(&held), &frames[0]);
    for (int i = 1; i < 25; i++) {
        Image* dropped = holdFrame(&held, &frames[i]);
        EXPECT_EQ(dropped, i > HELD_FRAMES_MAX ? &frames[i - HELD_FRAMES_MAX] : nullptr) << i;
    }
    for (int i = 25 - HELD_FRAMES_MAX; i < 25; i++) EXPECT_EQ(takeHeldFrame(&held), &frames[i]);
    EXPECT_EQ(takeHeldFrame(&held), nullptr);
    EXPECT_EQ(held.count, 0);
}
