// Comparing two renders on the screen: the reference mark, the difference
// view and the wipe, read back with GetDIBits, and the readout of both.
#include <math.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "pane_fixture.h"

namespace {

Rgba first(int x, int y)
{
    return {byteValue(x * 4 % 256), byteValue(y * 5 % 256), byteValue((x + y) * 2 % 256), 1};
}

// The first render with a light moved: some pixels brighter, one NaN.
Rgba second(int x, int y)
{
    Rgba p = first(x, y);
    if (x >= 20 && x < 40) p.r += 0.05f * float(y % 7);
    if (y >= 30) p.b = 1.0f - p.b;
    if (x == 5 && y == 6) p.g = NAN;
    return p;
}

// A byte of the difference at black 0 and white 1, worked out from the
// samples: |a - b| × 255, rounded to single precision, clamped, truncated.
int differenceByte(float a, float b)
{
    double t = double(fabsf(a - b)) * 255.0;
    if (t > 255.0) return 255;
    float single = float(t);
    return single >= 0.0f ? int(single) : 0;
}

// The picture of a pattern at one to one, as display bytes.
int byteOf(float v)
{
    double t = double(v) * 255.0;
    return t > 255.0 ? 255 : t >= 0.0 ? int(float(t)) : 0;
}

class CompareTest : public PaneTest {
protected:
    // The first render in slot 1 as the reference, the second current.
    void renderPair()
    {
        renderImage(64, 48, first);
        renderImage(64, 48, second);
        key("{CTRL+1}");
        ASSERT_TRUE(waitForName("Untitled2 | ref: slot 1")) << statusText(viewer, 0);
    }

    HWND toolbar() { return GetDlgItem(viewer, 20); }
    bool buttonEnabled(int command) { return SendMessageA(toolbar(), TB_ISBUTTONENABLED, command, 0) != 0; }
    bool buttonChecked(int command) { return SendMessageA(toolbar(), TB_ISBUTTONCHECKED, command, 0) != 0; }

    // Every pixel of the picture against the difference of the two renders.
    void expectDifferenceShown()
    {
        Capture c = capturePane();
        for (int y = 0; y < 48; y++)
            for (int x = 0; x < 64; x++) {
                Rgba a = second(x, y), b = first(x, y);
                bool finite = std::isfinite(a.r) && std::isfinite(a.g) && std::isfinite(a.b);
                ASSERT_EQ(c.red(x, y), finite ? differenceByte(a.r, b.r) : 255) << x << "," << y;
                ASSERT_EQ(c.green(x, y), finite ? differenceByte(a.g, b.g) : 255) << x << "," << y;
                ASSERT_EQ(c.blue(x, y), finite ? differenceByte(a.b, b.b) : 255) << x << "," << y;
            }
    }

    // Screen column sx shows the reference's pixel (sx / scale, y) when it is
    // left of the split, else the current image's.
    void expectWipe(int splitColumn, int scale)
    {
        Capture c = capturePane();
        int split = splitColumn * scale;
        for (int sy = 0; sy < 48 * scale; sy += 3)
            for (int sx = 0; sx < 64 * scale; sx++) {
                if (sx == split) continue;  // the line
                Rgba p = sx < split ? first(sx / scale, sy / scale) : second(sx / scale, sy / scale);
                if (!std::isfinite(p.g)) continue;
                ASSERT_EQ(c.red(sx, sy), byteOf(p.r)) << sx << "," << sy;
                ASSERT_EQ(c.green(sx, sy), byteOf(p.g)) << sx << "," << sy;
                ASSERT_EQ(c.blue(sx, sy), byteOf(p.b)) << sx << "," << sy;
            }
        // The line inverts the current image's pixel under it.
        Rgba p = second(splitColumn, 10 / scale);
        EXPECT_EQ(c.red(split, 10), 255 - byteOf(p.r));
    }
};

}  // namespace

TEST_F(CompareTest, WithoutAReferenceTheComparisonsAreOff)
{
    renderImage(64, 48, first);
    renderImage(64, 48, second);
    EXPECT_FALSE(buttonEnabled(116));
    EXPECT_FALSE(buttonEnabled(117));
    key("wx");
    EXPECT_FALSE(buttonChecked(116));
    EXPECT_FALSE(buttonChecked(117));
    Capture c = capturePane();
    EXPECT_EQ(c.red(30, 10), byteOf(second(30, 10).r)) << "the picture as before";
    EXPECT_EQ(statusText(viewer, 0), "Untitled2");
}

TEST_F(CompareTest, TheDifferenceViewShowsTheAbsoluteDifferenceOfTheSamples)
{
    renderPair();
    EXPECT_TRUE(buttonEnabled(117));
    key("x");
    EXPECT_TRUE(buttonChecked(117));
    expectDifferenceShown();
    key("x");
    EXPECT_FALSE(buttonChecked(117));
    Capture c = capturePane();
    EXPECT_EQ(c.red(30, 10), byteOf(second(30, 10).r)) << "off again";
}

TEST_F(CompareTest, TheWipeShowsTheReferenceLeftOfTheSplitAtOneToOneAndZoomed)
{
    renderPair();
    key("w");
    EXPECT_TRUE(buttonChecked(116));
    expectWipe(32, 1);  // it starts in the middle
    mouse(WM_MOUSEMOVE, 10, 5, MK_SHIFT);
    expectWipe(10, 1);
    mouse(WM_MOUSEMOVE, 50, 5);  // without Shift the split stays
    expectWipe(10, 1);
    key(".");  // two to one, about the middle of a pane the picture fits
    waitForSteadyPane();
    ASSERT_EQ(scrollPos(SB_HORZ), 0);
    expectWipe(10, 2);
    mouse(WM_MOUSEMOVE, 41, 5, MK_SHIFT);  // screen column 41 shows pixel 20
    expectWipe(20, 2);
}

TEST_F(CompareTest, TheReadoutShowsBothPixelsAndTheirDifference)
{
    renderPair();
    Rgba a = second(30, 10), b = first(30, 10);
    char expected[160];
    snprintf(expected, sizeof expected, "%d, %d, %d | ref %d, %d, %d | diff %d, %d, %d", byteOf(a.r), byteOf(a.g),
             byteOf(a.b), byteOf(b.r), byteOf(b.g), byteOf(b.b), differenceByte(a.r, b.r), differenceByte(a.g, b.g),
             differenceByte(a.b, b.b));
    EXPECT_EQ(readoutAt(30, 10, 3, expected), expected);
}

TEST_F(CompareTest, DeletingOrReplacingTheReferenceEndsTheComparison)
{
    renderPair();
    key("x");
    key("1d");  // the reference's own slot, deleted
    ASSERT_TRUE(waitForName("Untitled2"));
    EXPECT_EQ(statusText(viewer, 0), "Untitled2") << "no reference named";
    EXPECT_FALSE(buttonEnabled(117));
    EXPECT_FALSE(buttonChecked(117));
    Capture c = capturePane();
    EXPECT_EQ(c.red(30, 10), byteOf(second(30, 10).r));

}

TEST_F(CompareTest, ARightClickOnASlotButtonMarksTheReferenceAndAgainUnmarksIt)
{
    renderImage(64, 48, first);
    renderImage(64, 48, second);
    HWND button = GetDlgItem(viewer, 200);
    // The reference's button reads "R", a push button among the round ones.
    auto marked = [](HWND b) {
        char text[8] = "";
        GetWindowTextA(b, text, sizeof text);
        return std::string(text) == "R" && (GetWindowLongPtrA(b, GWL_STYLE) & BS_PUSHLIKE) != 0;
    };
    SendMessageA(viewer, WM_CONTEXTMENU, WPARAM(button), MAKELPARAM(-1, -1));
    ASSERT_TRUE(waitForName("Untitled2 | ref: slot 1"));
    EXPECT_TRUE(buttonEnabled(116));
    EXPECT_TRUE(marked(button));
    EXPECT_FALSE(marked(GetDlgItem(viewer, 201)));
    SendMessageA(viewer, WM_CONTEXTMENU, WPARAM(button), MAKELPARAM(-1, -1));
    EXPECT_EQ(statusText(viewer, 0), "Untitled2");
    EXPECT_FALSE(buttonEnabled(116));
    EXPECT_FALSE(marked(button));
    key("{CTRL+2}{CTRL+2}");  // the same with the keys
    EXPECT_EQ(statusText(viewer, 0), "Untitled2");
}

// The difference goes through the current image's levels: a white level of
// 0.25 shows four times the difference.
TEST_F(CompareTest, ALowerWhiteLevelMagnifiesTheDifference)
{
    restartWithConfig("BlackWhite 0 0.25");
    renderPair();
    key("x");
    Capture c = capturePane();
    for (int y = 0; y < 48; y += 2)
        for (int x = 20; x < 40; x++) {
            Rgba a = second(x, y), b = first(x, y);
            if (!std::isfinite(a.g)) continue;
            double t = double(fabsf(a.r - b.r)) * 255.0 / 0.25;
            int want = t > 255.0 ? 255 : int(float(t));
            ASSERT_EQ(c.red(x, y), want) << x << "," << y;
        }
}

// In the wipe each side shows its own image's hot pixels, in a channel view
// too; the difference shows the chosen channel of the difference.
TEST_F(CompareTest, ChannelViewsAndHotPixelsWorkInBothComparisons)
{
    renderPair();
    key("h");
    key("1");
    Capture reference = capturePane();
    key("2");
    Capture current = capturePane();
    key("w");
    mouse(WM_MOUSEMOVE, 24, 5, MK_SHIFT);
    Capture wipe = capturePane();
    for (int y = 0; y < 48; y += 2)
        for (int x = 0; x < 64; x++) {
            if (x == 24) continue;  // the line
            const Capture& want = x < 24 ? reference : current;
            ASSERT_EQ(wipe.red(x, y), want.red(x, y)) << x << "," << y;
            ASSERT_EQ(wipe.blue(x, y), want.blue(x, y)) << x << "," << y;
        }
    key("hwxg");  // hot pixels off, the difference's green channel
    Capture green = capturePane();
    for (int y = 0; y < 48; y += 2)
        for (int x = 0; x < 64; x += 3) {
            Rgba a = second(x, y), b = first(x, y);
            int want = std::isfinite(a.g) ? differenceByte(a.g, b.g) : 255;
            ASSERT_EQ(green.red(x, y), 0);
            ASSERT_EQ(green.green(x, y), want) << x << "," << y;
            ASSERT_EQ(green.blue(x, y), 0);
        }
}

// Frames faster than one a second replace the earliest arrivals in turn,
// so the last ten stay; a reference stays through any number of new
// frames, which go round the other nine slots.
TEST_F(CompareTest, FastFramesKeepTheLastTenAndTheReferenceStays)
{
    auto imagesInSlots = [&] {
        std::vector<std::string> names;
        for (const char* slot : {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"}) {
            key(slot);
            std::string name = statusText(viewer, 0);
            names.push_back(name.substr(0, name.find(" | ")));
        }
        std::sort(names.begin(), names.end());
        return names;
    };
    auto untitled = [](std::vector<int> numbers) {
        std::vector<std::string> names;
        for (int n : numbers) names.push_back("Untitled" + std::to_string(n));
        std::sort(names.begin(), names.end());
        return names;
    };
    render(12, "ramps", 32, 24);  // within a second
    EXPECT_EQ(imagesInSlots(), untitled({3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    key("{CTRL+3}");  // slot 3 holds the oldest, Untitled3
    render(15, "ramps", 32, 24);
    EXPECT_EQ(imagesInSlots(), untitled({3, 19, 20, 21, 22, 23, 24, 25, 26, 27}));
    key("3");
    EXPECT_EQ(statusText(viewer, 0), "Untitled3 | ref: slot 3");
}

// Zoomed out, a group of pixels shows its largest difference and its hot
// pixel: isolated pixels, each at another place in its group, never vanish,
// and the readout names them. On mid grey: pure red pixels (hot, and
// different from the grey reference) and a NaN.
TEST_F(CompareTest, ZoomedOutEveryIsolatedDifferenceAndHotPixelShows)
{
    std::vector<POINT> spots;
    for (int j = 0; j < 6; j++)
        for (int i = 0; i < 6; i++) spots.push_back({8 * i + (i + j) % 4, 8 * j + (i + 2 * j) % 4});
    auto isolated = [&](int x, int y) -> int {
        for (size_t k = 0; k < spots.size(); k++)
            if (spots[k].x == x && spots[k].y == y) return int(k) + 1;
        return 0;
    };
    const Rgba grey = {0.5f, 0.5f, 0.5f, 1};
    renderImage(48, 48, [&](int, int) { return grey; });
    renderImage(48, 48, [&](int x, int y) {
        int k = isolated(x, y);
        return k == 0 ? grey : k == 8 ? Rgba{0.5f, NAN, 0.5f, 1} : Rgba{1, 0, 0, 1};
    });
    key("{CTRL+1}");
    ASSERT_TRUE(waitForName("Untitled2 | ref: slot 1"));
    const int half = differenceByte(1.0f, 0.5f);
    for (int divisor = 2; divisor <= 4; divisor++) {
        key(",");
        ASSERT_EQ(statusText(viewer, 1), "1/" + std::to_string(divisor) + "x");
        key("x");
        Capture difference = capturePane();
        key("xh");
        Capture hot = capturePane();
        key("h");
        for (int sy = 0; sy < 48 / divisor; sy++)
            for (int sx = 0; sx < 48 / divisor; sx++) {
                int k = 0;
                for (int y = sy * divisor; y < (sy + 1) * divisor; y++)
                    for (int x = sx * divisor; x < (sx + 1) * divisor; x++) k = std::max(k, isolated(x, y));
                int want = k == 0 ? 0 : k == 8 ? 255 : half;
                ASSERT_EQ(difference.red(sx, sy), want) << "1/" << divisor << " at " << sx << "," << sy;
                ASSERT_EQ(difference.green(sx, sy), want) << "1/" << divisor << " at " << sx << "," << sy;
                if (k == 8) continue;  // a NaN sample has no colour to be hot in
                ASSERT_EQ(hot.red(sx, sy), k ? 255 : 0) << "1/" << divisor << " hot at " << sx << "," << sy;
            }
    }
    // At 1/4 the readout names the isolated pixel of the group, not its corner.
    key("x");
    for (size_t k : {8, 15, 20}) {
        POINT p = spots[k - 1];
        std::string expected = std::to_string(p.x) + ", " + std::to_string(p.y);
        EXPECT_EQ(readoutAt(p.x / 4, p.y / 4, 2, expected), expected);
    }
}
