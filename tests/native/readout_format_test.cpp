// The readout's number formats and where its values come from.
#include <gtest/gtest.h>
#include <math.h>

#include "display/levels.h"
#include "image_test_util.h"
#include "viewer/readout_format.h"

namespace {

std::string formatted(float f)
{
    return FormatFloatValue(f);
}

}  // namespace

// Each value at most eight characters; a value exactly at a threshold
// takes the next coarser form.
TEST(FormatFloatValue, KeepsEachValueShort)
{
    const std::pair<float, const char*> cases[] = {
        {0.5f, "0.500"},        {-0.125f, "-0.125"},     {99.9994f, "99.999"},    {99.9996f, "100.00"},
        {123.456f, "123.46"},   {1234.56f, "1234.6"},    {123456.7f, "123457"},   {999999.4f, "999999"},
        {999999.6f, "1.00e6"},  {2500000.0f, "2.50e6"},  {9999999.0f, "1.00e7"},  {1e12f, "1.0e12"},
        {3.4e38f, "3.4e38"},    {99.9995f, "100.00"},    {999.995f, "1000.0"},    {9999.95f, "10000"},
        {999999.5f, "1.00e6"},
        {9.95e9f, "9.9e9"},      // the float lies just below 9.95e9: one decimal
        {9995000.0f, "9.99e6"},  // a mantissa of 9.995 lies below it in single precision: no carry
        {-2500000.0f, "-2.50e6"}, {-9999999.0f, "-1.00e7"},
        {-123456.7f, "-123456"},  // a half added, then truncated toward zero
        {INFINITY, "INF"},       {-INFINITY, "-INF"},     {NAN, "NAN"},           {-NAN, "NAN"},
    };
    for (auto [value, text] : cases) EXPECT_EQ(formatted(value), text) << value;
}

TEST(FormatFloatValue, NeverExceedsEightCharacters)
{
    TestRandom rng(3);
    for (int i = 0; i < 20000; i++) {
        uint32_t bits = rng.next();
        float f;
        memcpy(&f, &bits, sizeof f);
        EXPECT_LE(formatted(f).size(), 8u) << f;
    }
}

TEST(FormatFloatTriple, JoinsThreeOrShowsOne)
{
    char text[32];
    const float v[3] = {0.25f, 1.5f, -0.125f};
    FormatFloatTriple(text, sizeof text, 0, v);
    EXPECT_STREQ(text, "0.250, 1.500, -0.125");
    FormatFloatTriple(text, sizeof text, 3, v);
    EXPECT_STREQ(text, "0.250");
    const float wide[3] = {-3.4e38f, -1.5e37f, -9999999.0f};
    FormatFloatTriple(text, sizeof text, 0, wide);
    EXPECT_STREQ(text, "-3.4e38, -1.5e37, -1.00e7");
}

// Every channel view in both forms, at a pixel that differs from all others
// (the bitmaps run bottom-up, the samples top-down).
TEST(PixelValues, EachChannelReadsItsOwnValueInBothForms)
{
    ImagePtr image(newImage(3, 3, 1, 0));
    for (float* c : {image->red, image->green, image->blue, image->alpha})
        for (int i = 0; i < 9; i++) c[i] = 0.0f;
    image->red[2] = 0.25f;  // pixel (2, 0)
    image->green[2] = 0.5f;
    image->blue[2] = 0.75f;
    image->alpha[2] = 0.125f;
    ViewPtr view(newView(image.release()));
    rebuildDisplay(view.get());
    const char* bytes[5] = {"63, 127, 191", "31", "63", "127", "191"};
    const char* samples[5] = {"0.250, 0.500, 0.750", "0.125", "0.250", "0.500", "0.750"};
    char text[32];
    for (int channel = 0; channel < 5; channel++) {
        SetPixelDisplayType(0);
        formatPixelValues(view.get(), 2, 0, channel, text, sizeof text);
        EXPECT_STREQ(text, bytes[channel]) << channel;
        SetPixelDisplayType(1);
        formatPixelValues(view.get(), 2, 0, channel, text, sizeof text);
        EXPECT_STREQ(text, samples[channel]) << channel;
    }
    view->image->white = 0.5f;
    refreshDisplay(view.get(), REFRESH_LEVELS);
    SetPixelDisplayType(0);
    formatPixelValues(view.get(), 2, 0, 2, text, sizeof text);
    EXPECT_STREQ(text, "127") << "display bytes come after the levels";
    SetPixelDisplayType(1);
    formatPixelValues(view.get(), 2, 0, 2, text, sizeof text);
    EXPECT_STREQ(text, "0.250") << "samples come as rendered";
    SetPixelDisplayType(0);
}

namespace {

// A view of width × 1 with pixel 0 set to the four samples, the rest 0.
View* onePixelView(int width, float r, float g, float b, float a)
{
    Image* image = newImage(width, 1, 1, 0);
    for (float* c : {image->red, image->green, image->blue, image->alpha})
        for (int i = 0; i < width; i++) c[i] = 0.0f;
    image->red[0] = r;
    image->green[0] = g;
    image->blue[0] = b;
    image->alpha[0] = a;
    View* view = newView(image);
    rebuildDisplay(view);
    return view;
}

}  // namespace

TEST(CompareValues, CurrentReferenceAndDifferenceInBothForms)
{
    ViewPtr current(onePixelView(3, 0.25f, 1.5f, -0.125f, 1.0f));
    ViewPtr reference(onePixelView(2, 0.5f, 1.0f, 0.125f, 0.5f));
    const char* bytes[5] = {"63, 255, 0 | ref 127, 255, 31 | diff 63, 127, 63", "255 | ref 127 | diff 127",
                            "63 | ref 127 | diff 63", "255 | ref 255 | diff 127", "0 | ref 31 | diff 63"};
    const char* samples[5] = {"0.250, 1.500, -0.125 | ref 0.500, 1.000, 0.125 | diff 0.250, 0.500, 0.250",
                              "1.000 | ref 0.500 | diff 0.500", "0.250 | ref 0.500 | diff 0.250",
                              "1.500 | ref 1.000 | diff 0.500", "-0.125 | ref 0.125 | diff 0.250"};
    char text[COMPARE_VALUES_SIZE];
    for (int channel = 0; channel < 5; channel++) {
        SetPixelDisplayType(0);
        formatCompareValues(current.get(), reference.get(), 0, 0, channel, text, sizeof text);
        EXPECT_STREQ(text, bytes[channel]) << channel;
        SetPixelDisplayType(1);
        formatCompareValues(current.get(), reference.get(), 0, 0, channel, text, sizeof text);
        EXPECT_STREQ(text, samples[channel]) << channel;
    }
    // The difference goes through the current image's levels, as its view shows it.
    current->image->white = 0.5f;
    refreshDisplay(current.get(), REFRESH_LEVELS);
    SetPixelDisplayType(0);
    formatCompareValues(current.get(), reference.get(), 0, 0, 2, text, sizeof text);
    EXPECT_STREQ(text, "127 | ref 127 | diff 127");
    SetPixelDisplayType(0);
}

TEST(CompareValues, BesideTheReferenceOnlyTheCurrentPixelIsShown)
{
    ViewPtr current(onePixelView(3, 0.25f, 0.5f, 0.75f, 1.0f));
    ViewPtr reference(onePixelView(2, 0.5f, 1.0f, 0.125f, 0.5f));
    char text[COMPARE_VALUES_SIZE];
    SetPixelDisplayType(1);
    formatCompareValues(current.get(), reference.get(), 2, 0, 0, text, sizeof text);
    EXPECT_STREQ(text, "0.000, 0.000, 0.000");
    formatCompareValues(current.get(), nullptr, 0, 0, 0, text, sizeof text);
    EXPECT_STREQ(text, "0.250, 0.500, 0.750");
    SetPixelDisplayType(0);
}

TEST(CompareValues, TheLongestTextsFit)
{
    const float huge = -3.0e38f;  // the difference of the two overflows
    ViewPtr current(onePixelView(1, huge, huge, huge, 1.0f));
    ViewPtr reference(onePixelView(1, -huge, -huge, -huge, 1.0f));
    char text[COMPARE_VALUES_SIZE];
    SetPixelDisplayType(1);
    formatCompareValues(current.get(), reference.get(), 0, 0, 0, text, sizeof text);
    EXPECT_STREQ(text, "-3.0e38, -3.0e38, -3.0e38 | ref 3.0e38, 3.0e38, 3.0e38 | diff INF, INF, INF");
    SetPixelDisplayType(0);
}
