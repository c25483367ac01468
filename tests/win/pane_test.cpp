// What the image pane puts on the screen, read back with GetDIBits, and how
// it zooms and scrolls.
#include "pane_fixture.h"
#include "zrhost/dialog_remote.h"
#include "settings_capture.h"

namespace {

// A gradient whose display bytes are known exactly.
Rgba gradient(int x, int y)
{
    return {byteValue(x * 4 % 256), byteValue(y * 5 % 256), byteValue((x + y) * 2 % 256), byteValue((x * 3 + y) % 256)};
}

}  // namespace

TEST_F(PaneTest, AtOneToOneThePixelsAreTheColourBitmapsBytes)
{
    renderImage(64, 48, gradient);
    Capture c = capturePane();
    ASSERT_GE(c.width, 64);
    ASSERT_GE(c.height, 48);
    for (int y = 0; y < 48; y++)
        for (int x = 0; x < 64; x++) {
            ASSERT_EQ(c.red(x, y), x * 4 % 256) << x << "," << y;
            ASSERT_EQ(c.green(x, y), y * 5 % 256) << x << "," << y;
            ASSERT_EQ(c.blue(x, y), (x + y) * 2 % 256) << x << "," << y;
        }
    COLORREF background = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(c.red(64, 10), GetRValue(background)) << "beside the image";
    EXPECT_EQ(c.green(10, 48), GetGValue(background)) << "below the image";
}

TEST_F(PaneTest, SingleChannelViewsShowOnlyTheirChannel)
{
    renderImage(64, 48, gradient);
    const struct {
        const char* key;
        int r, g, b;  // which channels stay
    } views[] = {{"r", 1, 0, 0}, {"g", 0, 1, 0}, {"b", 0, 0, 1}};
    for (const auto& v : views) {
        key(v.key);
        Capture c = capturePane();
        for (int y = 0; y < 48; y += 3)
            for (int x = 0; x < 64; x += 3) {
                ASSERT_EQ(c.red(x, y), v.r ? x * 4 % 256 : 0) << v.key;
                ASSERT_EQ(c.green(x, y), v.g ? y * 5 % 256 : 0) << v.key;
                ASSERT_EQ(c.blue(x, y), v.b ? (x + y) * 2 % 256 : 0) << v.key;
            }
        key(v.key);  // back to RGB
    }
}

TEST_F(PaneTest, AlphaViewShowsTheAlphaAsGrey)
{
    renderImage(64, 48, gradient);
    key("a");
    Capture c = capturePane();
    for (int y = 0; y < 48; y += 2)
        for (int x = 0; x < 64; x += 2) {
            int a = (x * 3 + y) % 256;
            ASSERT_EQ(c.red(x, y), a);
            ASSERT_EQ(c.green(x, y), a);
            ASSERT_EQ(c.blue(x, y), a);
        }
}

TEST_F(PaneTest, WithHotPixelsShownOnlyHotPixelsKeepTheirColour)
{
    // Left: pure red (beyond the chroma limit); right: mid grey and pure blue.
    renderImage(60, 40, [](int x, int y) {
        if (x < 20) return Rgba{1, 0, 0, 1};
        if (x < 40) return Rgba{0.5f, 0.5f, 0.5f, 1};
        return Rgba{0, 0, 1, 1};
    });
    key("h");
    Capture c = capturePane();
    for (int y = 0; y < 40; y += 5) {
        EXPECT_EQ(c.red(5, y), 255);
        EXPECT_EQ(c.red(30, y), 0);
        EXPECT_EQ(c.green(30, y), 0);
        EXPECT_EQ(c.blue(50, y), 0);
    }
    key("g");  // in a single-channel view, too, only hot pixels remain
    c = capturePane();
    EXPECT_EQ(c.red(5, 5), 0) << "the red pixel has no green";
    EXPECT_EQ(c.green(30, 5), 0);
}

TEST_F(PaneTest, ZoomRunsFromOneSixtyFifthToSixtyFiveTimes)
{
    renderImage(64, 48, gradient);
    EXPECT_EQ(statusText(viewer, 1), "1x");
    key(",");
    EXPECT_EQ(statusText(viewer, 1), "1/2x");
    for (int i = 0; i < 70; i++) key(",");
    EXPECT_EQ(statusText(viewer, 1), "1/65x");
    for (int i = 0; i < 140; i++) key(".");
    EXPECT_EQ(statusText(viewer, 1), "65x");
    Capture c = capturePane();  // one image pixel fills 65 × 65 screen pixels
    EXPECT_EQ(c.red(0, 0), c.red(64, 64));
}

TEST_F(PaneTest, AtThreeTimesEveryScrollPositionIsAMultipleOfThree)
{
    renderImage(400, 300, gradient);
    key("..");
    ASSERT_EQ(statusText(viewer, 1), "3x");
    key("{HOME}");
    EXPECT_EQ(scrollPos(SB_HORZ), 0);
    key("{RIGHT}");
    EXPECT_EQ(scrollPos(SB_HORZ), 12) << "a line is four image pixels";
    key("{SHIFT+RIGHT}");
    EXPECT_EQ(scrollPos(SB_HORZ), 12 + 192) << "a page is sixteen lines";
    SendMessageA(pane, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 101), 0);
    EXPECT_EQ(scrollPos(SB_HORZ), 99);
    mouse(WM_LBUTTONDOWN, 100, 100, MK_CONTROL);
    int x = 100;
    for (int dx : {7, 8, 13, 1}) {
        x -= dx;
        mouse(WM_MOUSEMOVE, x, 100, MK_CONTROL | MK_LBUTTON);
        EXPECT_EQ(scrollPos(SB_HORZ) % 3, 0) << x;
    }
    mouse(WM_LBUTTONUP, x, 100);
    EXPECT_EQ(scrollPos(SB_HORZ), 99 + 27) << "the image followed the pointer, in whole image pixels";
    key("{END}{PGUP}{DOWN}{SHIFT+DOWN}");
    EXPECT_EQ(scrollPos(SB_HORZ) % 3, 0);
    EXPECT_EQ(scrollPos(SB_VERT), 12 + 192);
}

TEST_F(PaneTest, OneToOneLinesArePixelsAndDragStopsAtTheEdges)
{
    renderImage(2000, 1500, gradient);  // larger than the screen: fitted at 1/2x
    ASSERT_EQ(statusText(viewer, 1), "1/2x");
    key(".");
    ASSERT_EQ(statusText(viewer, 1), "1x");
    key("{HOME}{RIGHT}");
    EXPECT_EQ(scrollPos(SB_HORZ), 4);
    key("{SHIFT+RIGHT}");
    EXPECT_EQ(scrollPos(SB_HORZ), 68);
    key("{HOME}");
    mouse(WM_LBUTTONDOWN, 50, 50, MK_CONTROL);
    mouse(WM_MOUSEMOVE, 150, 50, MK_CONTROL | MK_LBUTTON);  // pulling the image right: nothing left of 0
    EXPECT_EQ(scrollPos(SB_HORZ), 0);
    for (int i = 1; i <= 10; i++) mouse(WM_MOUSEMOVE, 150 - 400 * i, 50, MK_CONTROL | MK_LBUTTON);
    mouse(WM_LBUTTONUP, 0, 0);
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(pane, SB_HORZ, &si);
    EXPECT_EQ(si.nPos, si.nMax - int(si.nPage)) << "stopped at the far edge";
}

TEST_F(PaneTest, AClickAtTheRightEdgeZoomsInAndClampsToTheImage)
{
    renderImage(2000, 1500, gradient);
    ASSERT_EQ(statusText(viewer, 1), "1/2x");
    RECT client;
    GetClientRect(pane, &client);
    mouse(WM_LBUTTONDOWN, client.right - 1, client.bottom / 2);
    EXPECT_EQ(statusText(viewer, 1), "1x");
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(pane, SB_HORZ, &si);
    EXPECT_GT(si.nPos, 900) << "the clicked point came towards the middle";
    EXPECT_LE(si.nPos, si.nMax - int(si.nPage)) << "and no further than the image goes";
    Capture c = capturePane();
    GetClientRect(pane, &client);
    int column = si.nPos + client.right - 1;  // the image column at the pane's right edge
    EXPECT_LT(column, 2000);
    EXPECT_EQ(c.red(client.right - 1, 0), column * 4 % 256) << "image, not background, at the right";
}

TEST_F(PaneTest, FitToScreenShrinksALargeImageAndGrowsATinyViewerToItsMinimum)
{
    renderImage(16, 16, gradient);
    RECT r;
    GetWindowRect(viewer, &r);
    MINMAXINFO least = {};
    SendMessageA(viewer, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&least));
    EXPECT_GE(least.ptMinTrackSize.x, 320);
    EXPECT_EQ(r.right - r.left, least.ptMinTrackSize.x) << "as narrow as the toolbar and status bar allow";
    EXPECT_EQ(r.bottom - r.top, 240);
    renderImage(5000, 3000, gradient);
    key("j");
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(viewer, &r);
    EXPECT_LE(r.right - r.left, work.right - work.left);
    EXPECT_LE(r.bottom - r.top, work.bottom - work.top);
    EXPECT_EQ(statusText(viewer, 1), "1/4x");
    EXPECT_EQ(scrollPos(SB_HORZ), 0);
}

TEST_F(PaneTest, AFourKFrameAtSixtyFiveTimesScrollsToItsFarEdge)
{
    renderImage(3840, 2160, [](int x, int y) {
        return x == 3839 ? Rgba{0, 0, 1, 1} : Rgba{0.2f, 0.2f, 0.2f, 1};
    });
    for (int i = 0; i < 70; i++) key(".");
    ASSERT_EQ(statusText(viewer, 1), "65x");
    key("{END}");
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(pane, SB_HORZ, &si);
    EXPECT_GT(si.nPos, 200000) << "beyond 16 bits";
    int max = si.nMax - int(si.nPage);
    EXPECT_EQ(si.nPos, max - max % 65) << "the far edge, on a whole image pixel";
    Capture c = capturePane();
    int lastColumn = 3839 * 65 - si.nPos;  // where the last image column starts in the pane
    ASSERT_LT(lastColumn, c.width);
    EXPECT_EQ(c.blue(lastColumn, 10), 255) << "the last column is shown";
    EXPECT_EQ(c.blue(c.width - 1, 10), 255);
    EXPECT_EQ(c.blue(lastColumn - 1, 10), 51);
}

TEST_F(PaneTest, ReadoutShowsDisplayBytesAndBlanksBesideTheImage)
{
    renderImage(64, 48, gradient);
    EXPECT_EQ(readoutAt(10, 5, 2, "10, 5"), "10, 5");
    EXPECT_EQ(statusText(viewer, 3), "40, 25, 30");
    key("r");
    EXPECT_EQ(readoutAt(11, 5, 3, "44"), "44");
    EXPECT_EQ(readoutAt(100, 5, 2, " "), " ");
    EXPECT_EQ(statusText(viewer, 3), " ");
    EXPECT_EQ(readoutAt(1, 1, 2, "1, 1"), "1, 1");
}

// Zoomed out, the readout names the image pixel that the screen shows at
// the pointer: red and green carry the column and the row.
TEST_F(PaneTest, ZoomedOutTheReadoutNamesThePixelOnTheScreen)
{
    renderImage(250, 250, [](int x, int y) { return Rgba{byteValue(x), byteValue(y), 0, 1}; });
    int steps = 0;
    for (int divisor : {3, 5, 7}) {
        while (steps < divisor - 1) key(","), steps++;
        ASSERT_EQ(statusText(viewer, 1), "1/" + std::to_string(divisor) + "x");
        Capture c = capturePane();
        int shown = 250 / divisor;
        for (int p = 1; p < shown; p += 4) {
            std::string expected = std::to_string(p * divisor) + ", " + std::to_string(p * divisor);
            ASSERT_EQ(readoutAt(p, p, 2, expected), expected) << "1/" << divisor;
            ASSERT_EQ(c.red(p, p), p * divisor) << "1/" << divisor;
            ASSERT_EQ(c.green(p, p), p * divisor) << "1/" << divisor;
        }
        COLORREF background = GetSysColor(COLOR_BTNSHADOW);
        EXPECT_EQ(c.red(shown, 1), GetRValue(background)) << "1/" << divisor << ": no column beyond the readout";
        EXPECT_EQ(readoutAt(shown, 1, 2, " "), " ");
    }
}

TEST_F(PaneTest, ACaptionClickSetsTheAnchorOnlyOnTheImage)
{
    renderImage(64, 48, gradient);
    key("..");  // 3x: the click lands on image pixel (x / 3, y / 3) + scroll
    key("{HOME}{PGUP}");
    HWND dialog = openTextDialog(viewer, 31, 16);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(toolbarChecked(viewer, 114)) << "a click ends text placement";
    pressDialogButton(dialog, IDOK);
    ASSERT_TRUE(waitGone(dialog));
    settleViewer(viewer);
    EXPECT_EQ(leafValues(savedSettings(session, instance), "Position"), "10 5 0 10") << "left x is set as it draws";
    key("t");
    RECT client;
    GetClientRect(pane, &client);
    key(",,");  // back to 1x: the image ends at 64
    mouse(WM_LBUTTONDOWN, 100, 10);
    EXPECT_FALSE(toolbarChecked(viewer, 114));
    EXPECT_EQ(leafValues(savedSettings(session, instance), "Position"), "10 5 0 10") << "beside the image: no caption";
    EXPECT_EQ(statusText(viewer, 1), "1x") << "the click placed nothing and zoomed nothing";
}
