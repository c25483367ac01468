// The Notes and Settings sheet's numbers, texts and write-back rules.
#include <float.h>
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "dialogs/notes_texts.h"
#include "dialogs/sheet_copy.h"
#include "dialogs/sheet_values.h"
#include "image_test_util.h"
#include "image/image.h"

TEST(ValuesDiffer, AChangeCountsFromOnePartIn1024OfTheOldMagnitude)
{
    EXPECT_EQ(ValuesDiffer(1.0f, 1.0f, 10), 0);
    EXPECT_EQ(ValuesDiffer(1.0f, 1.001f, 10), 0);
    EXPECT_EQ(ValuesDiffer(1.0f, 1.002f, 10), 1);
    EXPECT_EQ(ValuesDiffer(1.0f, 0.999f, 10), 0);
    EXPECT_EQ(ValuesDiffer(1.0f, 0.998f, 10), 1);
    // From 0 the step is 2^-10 = 0.0009765625.
    EXPECT_EQ(ValuesDiffer(0.0f, 0.0009765f, 10), 0);
    EXPECT_EQ(ValuesDiffer(0.0f, 0.0009766f, 10), 1);
    // 110 IRE: the exponent is 7, the step 2^-3.
    EXPECT_EQ(ValuesDiffer(110.0f, 110.1f, 10), 0);
    EXPECT_EQ(ValuesDiffer(110.0f, 110.125f, 10), 1);
    EXPECT_EQ(ValuesDiffer(-2.0f, -2.01f, 10), 1);
}

TEST(FloatText, TrailingZerosGoDownToOneDecimal)
{
    char text[32];
    const struct {
        double value;
        const char* shown;
    } cases[] = {{7.5, "7.5"},   {110.0, "110.0"}, {0.0, "0.0"},       {double(1.85f), "1.85"},
                 {-0.125, "-0.125"}, {1e7, "10000000.0"}, {0.000001, "0.000001"}, {7.5e-8, "7.5e-08"}};
    for (const auto& c : cases) {
        formatFloatText(c.value, text, sizeof text);
        EXPECT_STREQ(text, c.shown) << c.value;
    }
    // What a box shows, OK reads back as the same single float.
    for (float f : {FLT_MAX, -FLT_MAX, 1e30f, 4e-7f, FLT_MIN, 0.1f, 1.001f, 123456.789f, 16777217.0f}) {
        formatFloatText(double(f), text, sizeof text);
        EXPECT_EQ(float(parseFloatText(text)), f) << text;
        const double fraction = double(f) / 100.0;
        formatPercentText(fraction, text, sizeof text);
        EXPECT_EQ(float(parsePercentText(text)), float(fraction)) << text;
    }
    char small[5];
    formatFloatText(123.25, small, sizeof small);
    EXPECT_STREQ(small, "123.") << "cut to the buffer";
    char one[2] = {'x', 'y'};
    formatFloatText(1.5, one, 1);
    EXPECT_EQ(one[0], '\0') << "a one-byte buffer holds the empty text";
    EXPECT_EQ(one[1], 'y');
}

TEST(FloatText, ReadsTheLeadingNumberAndStaysFinite)
{
    EXPECT_EQ(parseFloatText("abc"), 0.0);
    EXPECT_EQ(parseFloatText(""), 0.0);
    EXPECT_EQ(parseFloatText("  2.5xyz"), 2.5);
    EXPECT_EQ(parseFloatText("-1.5e2"), -150.0);
    EXPECT_EQ(parseFloatText("1e400"), double(FLT_MAX));
    EXPECT_EQ(parseFloatText("-1e39"), -double(FLT_MAX));
    EXPECT_EQ(parseFloatText("inf"), double(FLT_MAX));
    EXPECT_EQ(parseFloatText("nan"), 0.0);
    EXPECT_EQ(parseFloatText("3.4e38"), 3.4e38) << "within a float's range: as typed";
    // Only the first 23 characters count.
    EXPECT_EQ(parseFloatText("123456789012345678901234"), 12345678901234567890123.0);
}

TEST(PercentText, MarginsReadAsPercentages)
{
    char text[32];
    formatPercentText(double(0.02f), text, sizeof text);
    EXPECT_STREQ(text, "2%");
    formatPercentText(0.125, text, sizeof text);
    EXPECT_STREQ(text, "12.5%");
    char small[3] = {'x', 'x', 'x'};
    formatPercentText(0.125, small, 1);
    EXPECT_EQ(small[0], '\0') << "a one-byte buffer is ended, not left as it was";
    EXPECT_EQ(small[1], 'x');
    formatPercentText(0.125, small, 0);
    EXPECT_EQ(small[0], '\0');
    EXPECT_EQ(small[1], 'x') << "an empty buffer is left alone";
    EXPECT_FLOAT_EQ(float(parsePercentText("5")), 0.05f);
    EXPECT_FLOAT_EQ(float(parsePercentText("5%")), 0.05f);
    EXPECT_FLOAT_EQ(float(parsePercentText(" 12.5 %")), 0.125f);
    EXPECT_EQ(parsePercentText("x"), 0.0);
}

TEST(NotesTexts, CreationAndRenderTimes)
{
    struct tm when = {};
    when.tm_mon = 4;
    when.tm_mday = 5;
    when.tm_hour = 10;
    when.tm_min = 20;
    when.tm_sec = 3;
    char text[32];
    formatCreationTime(when, text, sizeof text);
    EXPECT_STREQ(text, "May 05 10:20:03");
    when.tm_mon = 11;
    when.tm_mday = 31;
    when.tm_hour = 23;
    formatCreationTime(when, text, sizeof text);
    EXPECT_STREQ(text, "Dec 31 23:20:03");
    formatRenderTimeText(754, text, sizeof text);
    EXPECT_STREQ(text, "0h 1m 15.4s");
    formatRenderTimeText(2 * 36000 + 3 * 600 + 45, text, sizeof text);
    EXPECT_STREQ(text, "2h 3m 4.5s");
    formatRenderTimeText(599, text, sizeof text);
    EXPECT_STREQ(text, "0h 0m 59.9s");
}

TEST(NotesTexts, SceneInfoNamesEveryFactOnItsOwnLine)
{
    SceneSummary s = {48, 1200, 900, 9, (1 << 0) | (1 << 2) | (1 << 5), 16};
    char text[1024];
    formatSceneInfo(s, text, sizeof text);
    EXPECT_STREQ(text,
                 "Frame Number:  48\r\nPoints:  1200\r\nPolygons:  900\r\nAA Passes:  9\r\n"
                 "Raytrace Shadows:  On\r\nRaytrace Reflections:  Off\r\nRaytrace Refraction:  On\r\n"
                 "Recursion Depth:  16\r\nField Rendering:  Off\r\nMotion Blur:  On\r\nDepth of Field:  Off\r\n");
}

TEST(NotesTexts, AppendingBreaksTheLineOnlyAfterText)
{
    char notes[64] = "";
    appendToNotes(notes, sizeof notes, "A");
    EXPECT_STREQ(notes, "A");
    appendToNotes(notes, sizeof notes, "B");
    EXPECT_STREQ(notes, "A\r\nB") << "twice appends twice";
    char one[2] = {'#', '#'};
    appendToNotes(one, 1, "C");
    EXPECT_EQ(one[0], '\0') << "a one-byte field is ended, with room for nothing";
    EXPECT_EQ(one[1], '#');
}

TEST(NotesTexts, AppendingCutsTheTextNeverTheMemory)
{
    char buffer[40];
    memset(buffer, '#', sizeof buffer);
    char* notes = buffer + 4;  // 32 bytes between two canaries
    strcpy(notes, "0123456789012345678901234567");  // 28 characters
    appendToNotes(notes, 32, "scene text");
    EXPECT_EQ(std::string(notes), "0123456789012345678901234567\r\ns");
    EXPECT_EQ(strlen(notes), 31u);
    for (int i = 0; i < 4; i++) EXPECT_EQ(buffer[i], '#');
    EXPECT_EQ(buffer[36], '#');
    // A buffer with no terminator at all is cut to its last byte.
    memset(notes, 'x', 32);
    appendToNotes(notes, 32, "more");
    EXPECT_EQ(strlen(notes), 31u);
    EXPECT_EQ(buffer[36], '#');
}

namespace {

struct SheetFixture : ::testing::Test {
    void SetUp() override
    {
        applyDefaultSettings(&settings);
        view.reset(newView(newImage(4, 4, 3, 754)));
        ASSERT_TRUE(view);
        view->hot = settings.hot;
        view->safe = settings.safe;
        LoadSheetCopy(&copy, view.get(), &settings);
    }
    unsigned apply()
    {
        return ApplySheetCopy(&copy, view.get(), &settings, &all);
    }
    Settings settings = {};
    ViewPtr view;
    SheetCopy copy;
    unsigned all = 0;
};

}  // namespace

TEST_F(SheetFixture, NothingChangedRebuildsNothing)
{
    strcpy(view->notes, "kept");
    LoadSheetCopy(&copy, view.get(), &settings);
    EXPECT_EQ(copy.renderTime, 754);
    EXPECT_EQ(copy.imageNumber, 3);
    settings.pixelDisplayType = 1;  // the copy's 0 is written back all the same
    EXPECT_EQ(apply(), 0u);
    EXPECT_EQ(all, 0u);
    EXPECT_STREQ(view->name, "Untitled3");
    EXPECT_STREQ(view->notes, "kept");
    EXPECT_EQ(settings.pixelDisplayType, 0);
}

TEST_F(SheetFixture, TooSmallALevelChangeIsNotTakenButCanBecomeTheDefault)
{
    copy.white = 1.001f;
    copy.makeDefault[0] = 1;
    EXPECT_EQ(apply(), 0u);
    EXPECT_EQ(view->image->white, 1.0f);
    EXPECT_EQ(settings.defaultWhite, 1.001f) << "the default takes the value as entered";
    copy.white = 1.002f;
    EXPECT_EQ(apply(), unsigned(GROUP_LEVELS));
    EXPECT_EQ(view->image->white, 1.002f);
}

TEST_F(SheetFixture, EachGroupChangesAlone)
{
    copy.safe.kinds = SAFE_VIDEO | SAFE_CUSTOM;
    copy.makeDefault[2] = 1;
    EXPECT_EQ(apply(), unsigned(GROUP_SAFE));
    EXPECT_EQ(view->safe.kinds, 3);
    EXPECT_EQ(settings.safe.kinds, 3);
    copy.hot.videoStandard = VIDEO_PAL;
    copy.applyToAll[1] = 1;
    EXPECT_EQ(apply(), unsigned(GROUP_HOT));
    EXPECT_EQ(all, unsigned(GROUP_HOT));
    EXPECT_EQ(view->hot.videoStandard, VIDEO_PAL);
    EXPECT_EQ(settings.hot.videoStandard, VIDEO_NTSC) << "not made the default";
    copy.hot.pedestal += 0.001f;  // below the step of 7.5: not a change
    copy.makeDefault[1] = 1;
    EXPECT_EQ(apply(), 0u);
    EXPECT_EQ(settings.hot.pedestal, view->hot.pedestal) << "hot defaults: the image's values after the rule";
    EXPECT_EQ(settings.hot.videoStandard, VIDEO_PAL);
    view->safe.frameMargin = 0.02f;
    copy.safe = view->safe;
    copy.safe.frameMargin = 0.02f * 1.0001f;
    EXPECT_EQ(apply(), 0u);
    EXPECT_EQ(settings.safe.frameMargin, 0.02f) << "so are the safe-area defaults";
}

namespace {

unsigned g_refreshed[4];

void countRefresh(View* view, unsigned groups)
{
    g_refreshed[view->image->imageNumber] = groups;
}

}  // namespace

TEST_F(SheetFixture, ApplyToAllRefreshesOnlyTheImagesThatDiffer)
{
    ViewPtr same(newView(newImage(2, 2, 1, 0))), other(newView(newImage(2, 2, 2, 0)));
    same->hot = settings.hot;
    same->safe = settings.safe;
    other->hot = settings.hot;
    other->hot.chromaLimit = 130.0f;
    other->safe = settings.safe;
    other->image->black = 0.5f;
    View* const views[5] = {same.get(), nullptr, view.get(), other.get(), nullptr};
    memset(g_refreshed, 0xFF, sizeof g_refreshed);
    ApplyToAllImages(view.get(), GROUP_HOT | GROUP_SAFE, views, 5, countRefresh);
    EXPECT_EQ(g_refreshed[1], 0u) << "equal values: nothing rebuilt";
    EXPECT_EQ(g_refreshed[2], unsigned(GROUP_HOT));
    EXPECT_EQ(g_refreshed[3], 0xFFFFFFFFu) << "the current image is not touched";
    EXPECT_EQ(other->hot.chromaLimit, settings.hot.chromaLimit);
    EXPECT_EQ(other->image->black, 0.5f) << "levels were not asked for";
}
