// The safe overlay as GDI draws it, read back bit by bit, and as the pane
// shows it: exactly the overlay's pixels inverted, at 1x and zoomed.
#include <gtest/gtest.h>

#include "drawn_overlay.h"
#include "pane_fixture.h"

namespace {

const SafeParams VIDEO_OUTLINE = {1.85f, 0.02f, SAFE_VIDEO, SAFE_OUTLINE};

}  // namespace

TEST(SafeOverlay, OutlinesAreDottedAndNothingElseIsSet)
{
    DrawnOverlay o(640, 480, VIDEO_OUTLINE);
    ASSERT_NE(o.view, nullptr);
    const RGBQUAD* table = o.view->safeOverlay->colours;
    EXPECT_EQ(table[0].rgbRed, 0) << "after drawing, 0 is black: no inversion";
    EXPECT_EQ(table[1].rgbRed, 255);
    // Along the straight top edge of action safe every other pixel is set.
    for (int x = 150; x < 490; x++) ASSERT_NE(o.bit(x, 24), o.bit(x + 1, 24)) << x;
    for (int x = 170; x < 470; x++) ASSERT_NE(o.bit(x, 48), o.bit(x + 1, 48)) << "title safe, " << x;
    EXPECT_EQ(o.count(0, 0, 640, 24), 0) << "above action safe";
    EXPECT_EQ(o.count(141, 25, 499, 48), 0) << "between the two top edges, away from the round corners";
    EXPECT_EQ(o.count(160, 49, 480, 431) + o.count(65, 145, 575, 335), 0) << "inside title safe";
    EXPECT_EQ(o.count(0, 457, 640, 480), 0) << "below action safe";
    EXPECT_GT(o.count(0, 0, 640, 480), 1000);
}

TEST(SafeOverlay, TheCustomFrameIsAPlainRectangle)
{
    DrawnOverlay o(640, 480, SafeParams{1.85f, 0.02f, SAFE_CUSTOM, SAFE_OUTLINE});
    // 12, 73, 628, 406: the left edge is column 12, the bottom row 405.
    EXPECT_EQ(o.count(12, 100, 13, 300), 100) << "every other pixel of the left edge";
    EXPECT_EQ(o.count(100, 405, 500, 406), 200);
    EXPECT_EQ(o.count(0, 0, 640, 73), 0);
    EXPECT_EQ(o.count(13, 74, 627, 405), 0);
    EXPECT_EQ(o.count(0, 0, 12, 480), 0);
}

TEST(SafeOverlay, SolidShadesOutsideAndCheckersTheBand)
{
    DrawnOverlay o(640, 480, SafeParams{1.85f, 0.02f, SAFE_VIDEO, SAFE_SOLID});
    EXPECT_EQ(o.count(0, 0, 640, 20), 640 * 20) << "outside action safe: all shown inverted";
    EXPECT_EQ(o.count(0, 460, 640, 480), 640 * 20);
    // Inside title safe, away from its round corners (96 pixels each way).
    EXPECT_EQ(o.count(160, 50, 480, 430) + o.count(66, 146, 574, 334), 0) << "inside title safe: nothing";
    // The band between action and title safe: a one-pixel checkerboard.
    for (int y = 30; y < 44; y++)
        for (int x = 200; x < 440; x++) {
            ASSERT_NE(o.bit(x, y), o.bit(x + 1, y)) << x << "," << y;
            ASSERT_NE(o.bit(x, y), o.bit(x, y + 1)) << x << "," << y;
        }
}

TEST(SafeOverlay, SolidWithBothLeavesTheFramesInsideUnshaded)
{
    DrawnOverlay o(640, 480, SafeParams{1.85f, 0.02f, SAFE_VIDEO | SAFE_CUSTOM, SAFE_SOLID});
    // Columns 34 to 61 lie in the band left of title safe; rows 140 to 339
    // are inside the frame (12, 73, 628, 406) and clear of the corners'
    // dotted outlines.
    EXPECT_EQ(o.count(34, 140, 62, 340), 0) << "the band, inside the frame";
    DrawnOverlay videoOnly(640, 480, SafeParams{1.85f, 0.02f, SAFE_VIDEO, SAFE_SOLID});
    EXPECT_GT(videoOnly.count(34, 140, 62, 340), 28 * 200 / 3) << "the same place checkered without the frame";
    EXPECT_EQ(o.count(0, 0, 640, 20), 640 * 20) << "outside both: shaded";
}

TEST(SafeOverlay, NoKindShowsNothingInEitherStyle)
{
    for (int style : {SAFE_OUTLINE, SAFE_SOLID}) {
        DrawnOverlay o(321, 123, SafeParams{1.85f, 0.02f, 0, style});
        EXPECT_EQ(o.count(0, 0, 321, 123), 0) << style;
    }
}

TEST(SafeOverlay, ChangedParametersRedrawOnlyOnTheirFlag)
{
    DrawnOverlay o(200, 100, VIDEO_OUTLINE);
    int outlined = o.count(0, 0, 200, 100);
    o.view->safe.style = SAFE_SOLID;
    refreshViewDisplay(o.view, 1 | 2);  // levels and hot pixels: the overlay stays
    EXPECT_EQ(o.count(0, 0, 200, 100), outlined);
    refreshViewDisplay(o.view, 4);
    EXPECT_GT(o.count(0, 0, 200, 100), outlined * 4);
}

TEST(SafeOverlay, TheCheckerBrushPaintsAlternatePixels)
{
    HBRUSH brush = makeCheckerBrush();
    ASSERT_NE(brush, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 16, 16);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    RECT all = {0, 0, 16, 16};
    FillRect(dc, &all, brush);
    for (int y = 0; y < 15; y++)
        for (int x = 0; x < 15; x++) {
            ASSERT_NE(GetPixel(dc, x, y), GetPixel(dc, x + 1, y)) << x << "," << y;
            ASSERT_NE(GetPixel(dc, x, y), GetPixel(dc, x, y + 1)) << x << "," << y;
        }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DeleteObject(brush);
}

// On the screen: the picture with safe areas shown differs from the plain
// one in exactly the overlay's pixels, each inverted.
TEST_F(PaneTest, SafeAreasInvertExactlyTheOverlaysPixels)
{
    writeFile(inCurrent("zr4.cfg"), "{ ZRConfig\nSafeParams 1.85 0.02 3 1\n}\n");
    activateServers(&session, 4);
    auto pixel = [](int x, int y) { return Rgba{byteValue(x % 200), byteValue(y % 200), byteValue(77), 1}; };
    renderImage(320, 240, pixel);
    DrawnOverlay expected(320, 240, SafeParams{1.85f, 0.02f, 3, SAFE_SOLID});
    for (const char* zoom : {"1x", "2x", "1/2x"}) {
        while (statusText(viewer, 1) != zoom) key(std::string(zoom) == "1/2x" ? "," : ".");
        key("{HOME}{PGUP}");
        Capture plain = capturePane();
        key("f");
        Capture shown = capturePane();
        key("f");
        int m = std::string(zoom) == "2x" ? 2 : 1, d = std::string(zoom) == "1/2x" ? 2 : 1;
        int width = 320 * m / d, height = 240 * m / d;
        int inverted = 0;
        for (int y = 0; y < height && y < plain.height; y++)
            for (int x = 0; x < width && x < plain.width; x++) {
                int set = expected.bit(x * d / m, y * d / m);
                bool flipped = shown.red(x, y) == 255 - plain.red(x, y) && shown.blue(x, y) == 255 - plain.blue(x, y);
                bool same = shown.red(x, y) == plain.red(x, y) && shown.blue(x, y) == plain.blue(x, y);
                ASSERT_TRUE(set ? flipped : same) << zoom << " at " << x << "," << y << " overlay bit " << set;
                inverted += set;
            }
        EXPECT_GT(inverted, 1000) << zoom;
    }
}

// A frame that replaces one of its size takes over its display bitmaps and
// the overlay already drawn for the same parameters: on the screen it is
// exactly its own picture, and exactly its safe areas over it.
TEST_F(PaneTest, AFrameOnTheMemoryOfTheOneItReplacesShowsExactly)
{
    writeFile(inCurrent("zr4.cfg"), "{ ZRConfig\nSafeParams 1.85 0.02 3 1\n}\n");
    activateServers(&session, 4);
    auto old = [](int x, int y) { return Rgba{byteValue(250), byteValue(y % 256), byteValue(x % 256), 1}; };
    for (int i = 0; i < 10; i++) renderImage(320, 240, old);
    auto next = [](int x, int y) { return Rgba{byteValue((x * 3 + y) % 256), byteValue(17), byteValue(x % 91), 1}; };
    renderImage(320, 240, next);
    ASSERT_EQ(statusText(viewer, 1), "1x");
    ASSERT_EQ(checkedSlot(viewer), 0) << "the oldest slot took it";
    key("{HOME}{PGUP}");
    Capture plain = capturePane();
    key("f");
    Capture shown = capturePane();
    DrawnOverlay expected(320, 240, SafeParams{1.85f, 0.02f, 3, SAFE_SOLID});
    int inverted = 0;
    for (int y = 0; y < 240 && y < plain.height; y++)
        for (int x = 0; x < 320 && x < plain.width; x++) {
            ASSERT_EQ(plain.red(x, y), (x * 3 + y) % 256) << x << "," << y;
            ASSERT_EQ(plain.green(x, y), 17) << x << "," << y;
            ASSERT_EQ(plain.blue(x, y), x % 91) << x << "," << y;
            int set = expected.bit(x, y);
            bool flipped = shown.red(x, y) == 255 - plain.red(x, y) && shown.blue(x, y) == 255 - plain.blue(x, y);
            ASSERT_TRUE(set ? flipped : shown.red(x, y) == plain.red(x, y)) << x << "," << y << " bit " << set;
            inverted += set;
        }
    EXPECT_GT(inverted, 1000);
}
