// The Add Text dialog's choices: which colour entry a colour selects, which
// size a font height shows at, and how the size box's text reads back.
#include <gtest/gtest.h>

#include <limits.h>

#include "dialogs/text_choices.h"
#include "settings/settings.h"

namespace {

// A list of the dialog's seven entries that each test may change.
struct Colours {
    ColourEntry list[COLOUR_ENTRIES];
    Colours()
    {
        for (int i = 0; i < COLOUR_ENTRIES; i++) list[i] = colourList()[i];
    }
};

}  // namespace

TEST(TextColours, AListColourSelectsItsEntryAndAnyOtherBecomesCustom)
{
    Colours c;
    const COLORREF customBefore = c.list[CUSTOM_COLOUR].colour;
    EXPECT_EQ(selectColourEntry(c.list, 0x00FFFF), 2) << "Yellow";
    EXPECT_STREQ(c.list[2].name, "Yellow");
    EXPECT_EQ(selectColourEntry(c.list, 0xFFFFFF), 0);
    EXPECT_EQ(selectColourEntry(c.list, 0x000000), 1);
    EXPECT_EQ(selectColourEntry(c.list, 0xFF0000), 5) << "Blue, the last fixed entry";
    EXPECT_EQ(c.list[CUSTOM_COLOUR].colour, customBefore) << "a listed colour leaves Custom alone";

    EXPECT_EQ(selectColourEntry(c.list, 0x123456), CUSTOM_COLOUR);
    EXPECT_EQ(c.list[CUSTOM_COLOUR].colour, 0x123456u);
    EXPECT_EQ(selectColourEntry(c.list, 0x123456), CUSTOM_COLOUR) << "Custom's own colour selects it again";
    EXPECT_EQ(selectColourEntry(c.list, 0x01FFFFFF), CUSTOM_COLOUR) << "the fourth byte counts";
}

TEST(TextColours, TheListStartsWithCustomGreyAndThePickerLeadsWithTheList)
{
    EXPECT_EQ(colourList()[CUSTOM_COLOUR].colour, 0x808080u);
    EXPECT_STREQ(colourList()[CUSTOM_COLOUR].name, "Custom");
    Colours c;
    c.list[CUSTOM_COLOUR].colour = 0x0A0B0C;
    COLORREF picker[PICKER_COLOURS];
    for (int i = 0; i < PICKER_COLOURS; i++) picker[i] = COLORREF(0xAA0000 + i);
    loadPickerColours(picker, c.list);
    for (int i = 0; i < COLOUR_ENTRIES; i++) EXPECT_EQ(picker[i], c.list[i].colour) << i;
    for (int i = COLOUR_ENTRIES; i < PICKER_COLOURS; i++)
        EXPECT_EQ(picker[i], COLORREF(0xAA0000 + i)) << "the artist's own colours stay: " << i;
}

TEST(TextSizes, AHeightShowsAtTheFirstSizeAtLeastItsMagnitude)
{
    EXPECT_EQ(captionSizes[sizeIndexFor(-13)], 14);
    EXPECT_EQ(captionSizes[sizeIndexFor(13)], 14) << "a positive height counts by its magnitude too";
    EXPECT_EQ(captionSizes[sizeIndexFor(-14)], 14) << "an exact size is its own";
    EXPECT_EQ(sizeIndexFor(0), 0);
    EXPECT_EQ(sizeIndexFor(-6), 0);
    EXPECT_EQ(sizeIndexFor(-72), SIZE_ENTRIES - 1);
    EXPECT_EQ(sizeIndexFor(-73), -1) << "larger than every size";
    EXPECT_EQ(sizeIndexFor(INT32_MIN), -1);
    EXPECT_EQ(sizeIndexFor(INT32_MAX), -1);
    for (int i = 1; i < SIZE_ENTRIES; i++) EXPECT_LT(captionSizes[i - 1], captionSizes[i]);
}

TEST(TextSizes, TheSizeTextIsTheMagnitude)
{
    char text[SIZE_TEXT_SIZE];
    formatSizeText(-13, text, sizeof text);
    EXPECT_STREQ(text, "13");
    formatSizeText(20, text, sizeof text);
    EXPECT_STREQ(text, "20");
    formatSizeText(INT32_MIN, text, sizeof text);
    EXPECT_STREQ(text, "2147483648") << "no overflow at the most negative height";
    char small[3] = {'x', 'x', 'x'};
    formatSizeText(-123, small, sizeof small);
    EXPECT_STREQ(small, "12") << "cut to fit";
    char one[1] = {'x'};
    formatSizeText(-123, one, sizeof one);
    EXPECT_EQ(one[0], '\0') << "room for the terminator alone";
}

TEST(TextSizes, TheSizeBoxReadsAsMinusItsNumber)
{
    EXPECT_EQ(fontHeightFromSizeText("13"), -13);
    EXPECT_EQ(fontHeightFromSizeText(" 24 "), -24);
    EXPECT_EQ(fontHeightFromSizeText("0"), 0);
    EXPECT_EQ(fontHeightFromSizeText("105"), -105) << "a zero inside the number";
    EXPECT_EQ(fontHeightFromSizeText("   "), 0);
    EXPECT_EQ(fontHeightFromSizeText(""), 0) << "no number: the font's own height";
    EXPECT_EQ(fontHeightFromSizeText("big"), 0);
    EXPECT_EQ(fontHeightFromSizeText("12pt"), 0);
    EXPECT_EQ(fontHeightFromSizeText("-12"), 0) << "read unsigned";
    EXPECT_EQ(fontHeightFromSizeText("2147483647"), -2147483647);
    EXPECT_EQ(fontHeightFromSizeText("2147483648"), 0) << "too large for a height";
    EXPECT_EQ(fontHeightFromSizeText("99999999999999999999"), 0);
}

TEST(TextAlignment, TheFirstCheckedRadioButtonCounts)
{
    const int none[3] = {0, 0, 0}, left[3] = {1, 0, 0}, centre[3] = {0, 1, 0}, right[3] = {0, 0, 1},
              two[3] = {0, 1, 1};
    EXPECT_EQ(alignmentFromRadios(none), ALIGN_LEFT);
    EXPECT_EQ(alignmentFromRadios(left), ALIGN_LEFT);
    EXPECT_EQ(alignmentFromRadios(centre), ALIGN_CENTRE);
    EXPECT_EQ(alignmentFromRadios(right), ALIGN_RIGHT);
    EXPECT_EQ(alignmentFromRadios(two), ALIGN_CENTRE);
}
