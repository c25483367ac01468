// The viewer as an artist uses it: zooming by keys and wheel without
// drifting, a readout that follows the pointer, a status bar whose texts
// fit their parts, and a window that keeps its toolbar and its place.
#include <stdio.h>
#include <string.h>

#include <windows.h>
#include <commctrl.h>

#include "pane_fixture.h"

namespace {

struct Pixel {
    int x = -1, y = -1;
};

// The pixel the readout names, or (-1, -1) when it is blank.
Pixel parsePixel(const std::string& text)
{
    Pixel p;
    if (sscanf(text.c_str(), "%d, %d", &p.x, &p.y) != 2) p.x = p.y = -1;
    return p;
}

// The magnification's divisor: 1 at 1x and above, d at 1/dx.
int divisorOf(const std::string& zoomText)
{
    int d = 1;
    if (sscanf(zoomText.c_str(), "1/%dx", &d) == 1) return d;
    return 1;
}

Rgba flat(int, int)
{
    return {0.5f, 0.5f, 0.5f, 1};
}

class ViewerUseTest : public PaneTest {
protected:
    Pixel pixelAt(POINT p)
    {
        mouse(WM_MOUSEMOVE, p.x, p.y);
        return parsePixel(statusText(viewer, 2));
    }

    Pixel centrePixel()
    {
        RECT client;
        GetClientRect(pane, &client);
        return pixelAt(POINT{client.right / 2, client.bottom / 2});
    }

    // Whether the view is held at an end on one axis, where no scroll can
    // keep a pixel in place.
    bool heldAtAnEnd(int bar)
    {
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        if (!GetScrollInfo(pane, bar, &si) || si.nMax == 0) return true;
        int max = si.nMax - int(si.nPage);
        return si.nPos <= 0 || si.nPos >= max - 65;
    }

    void wheel(POINT client, int notches, WPARAM keys = 0)
    {
        POINT screen = client;
        ClientToScreen(pane, &screen);
        SendMessageA(viewer, WM_MOUSEWHEEL, MAKEWPARAM(keys, WHEEL_DELTA * notches), MAKELPARAM(screen.x, screen.y));
    }

    // The readout as a fresh move at the real pointer would show it: blank
    // when the pointer is not over the image pane.
    std::string freshReadout()
    {
        POINT p;
        GetCursorPos(&p);
        if (WindowFromPoint(p) != pane) return " ";
        ScreenToClient(pane, &p);
        mouse(WM_MOUSEMOVE, p.x, p.y);
        return statusText(viewer, 2);
    }

    void pointAtPane(int x, int y)
    {
        POINT p = {x, y};
        ClientToScreen(pane, &p);
        SetCursorPos(p.x, p.y);
        mouse(WM_MOUSEMOVE, x, y);
    }

    std::string waitForReadout(const std::string& expected, int timeoutMs = 3000)
    {
        waitUntil([&] { return statusText(viewer, 2) == expected; }, timeoutMs);
        return statusText(viewer, 2);
    }
};

// Tests that move the real pointer run alone (the build registers them
// serially): a pointer moved onto one viewer sends its moves to no other.
class PointerTest : public ViewerUseTest {};

}  // namespace

// The keys reach the zoom rule with the pane's centre as its anchor (the
// rule itself is pinned step by step natively).
TEST_F(ViewerUseTest, KeyZoomKeepsTheCentrePixel)
{
    renderImage(1280, 720, flat);
    waitForSteadyPane();
    Pixel start = centrePixel();
    ASSERT_NEAR(start.x, 640, 1);
    ASSERT_NEAR(start.y, 360, 1);
    for (const char* keys : {".....", ",,,,,"}) {
        key(keys);
        Pixel p = centrePixel();
        EXPECT_NEAR(p.x, start.x, 2) << statusText(viewer, 1);
        EXPECT_NEAR(p.y, start.y, 2) << statusText(viewer, 1);
    }
    EXPECT_EQ(statusText(viewer, 1), "1x");
}

// At every notch where the image reaches past the pane on both sides, the
// screen pixel under the pointer shows the pixel it showed first; back at
// 65x it is that pixel exactly, however far out the wheel went between.
TEST_F(ViewerUseTest, WheelZoomKeepsThePixelUnderThePointer)
{
    renderImage(3840, 2160, flat);
    waitForSteadyPane();
    SetWindowPos(viewer, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
    waitForSteadyPane();
    const POINT at = {230, 140};
    Pixel kept = pixelAt(at);
    ASSERT_GE(kept.x, 0);
    auto check = [&](const char* what) {
        std::string zoom = statusText(viewer, 1);
        int d = divisorOf(zoom);
        Pixel p = pixelAt(at);
        if (!heldAtAnEnd(SB_HORZ)) {
            EXPECT_LE(p.x, kept.x) << what << " " << zoom;
            EXPECT_GT(p.x + d, kept.x) << what << " " << zoom;
        }
        if (!heldAtAnEnd(SB_VERT)) {
            EXPECT_LE(p.y, kept.y) << what << " " << zoom;
            EXPECT_GT(p.y + d, kept.y) << what << " " << zoom;
        }
    };
    const char* ladderIn[] = {"1/2x", "1x", "2x", "4x", "8x", "16x", "32x", "64x", "65x"};
    for (const char* z : ladderIn) {
        wheel(at, 1);
        ASSERT_EQ(statusText(viewer, 1), z);
        check("in");
    }
    Pixel at65 = pixelAt(at);
    EXPECT_EQ(at65.x, kept.x);
    EXPECT_EQ(at65.y, kept.y);
    const char* ladderOut[] = {"64x", "32x", "16x", "8x", "4x", "2x", "1x", "1/2x", "1/4x",
                               "1/8x", "1/16x", "1/32x", "1/64x", "1/65x"};
    for (const char* z : ladderOut) {
        wheel(at, -1);
        ASSERT_EQ(statusText(viewer, 1), z);
        check("out");
    }
    wheel(at, -1);
    EXPECT_EQ(statusText(viewer, 1), "1/65x") << "the far end";
    wheel(at, 15);  // all the way in again, fifteen notches in one turn
    ASSERT_EQ(statusText(viewer, 1), "65x");
    Pixel back = pixelAt(at);
    EXPECT_EQ(back.x, kept.x) << "the same pixel after the round trip";
    EXPECT_EQ(back.y, kept.y);
}

TEST_F(ViewerUseTest, WheelWithShiftOrCtrlScrolls)
{
    renderImage(3840, 2160, flat);
    SetWindowPos(viewer, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
    settleViewer(viewer);
    const POINT at = {100, 100};
    std::string zoom = statusText(viewer, 1);
    wheel(at, -1, MK_SHIFT);
    int x = GetScrollPos(pane, SB_HORZ);
    EXPECT_GT(x, 0) << "Shift: sideways";
    EXPECT_EQ(GetScrollPos(pane, SB_VERT), 0);
    wheel(at, -1, MK_CONTROL);
    EXPECT_GT(GetScrollPos(pane, SB_VERT), 0) << "Ctrl: up and down";
    EXPECT_EQ(GetScrollPos(pane, SB_HORZ), x);
    wheel(at, 1, MK_SHIFT);
    EXPECT_EQ(GetScrollPos(pane, SB_HORZ), 0) << "and back";
    EXPECT_EQ(statusText(viewer, 1), zoom) << "no zoom";
}

TEST_F(PointerTest, ReadoutBlanksWhenThePointerLeavesThePane)
{
    renderImage(64, 48, flat);
    pointAtPane(10, 5);
    ASSERT_EQ(statusText(viewer, 2), "10, 5");
    POINT border = {-2, 5};  // the viewer's margin beside the pane
    ClientToScreen(pane, &border);
    SetCursorPos(border.x, border.y);
    EXPECT_EQ(waitForReadout(" "), " ") << "onto the border";
    EXPECT_EQ(statusText(viewer, 3), " ");
    pointAtPane(11, 6);
    ASSERT_EQ(statusText(viewer, 2), "11, 6");
    SetCursorPos(0, 0);
    EXPECT_EQ(waitForReadout(" "), " ") << "out of the viewer";
}

TEST_F(PointerTest, ReadoutFollowsWhatMovesUnderAStillPointer)
{
    renderImage(640, 480, [](int x, int y) { return Rgba{byteValue(x % 256), byteValue(y % 256), 0, 1}; });
    renderImage(200, 100, flat);
    pointAtPane(150, 80);
    ASSERT_EQ(statusText(viewer, 2), "150, 80");
    key("-");  // the first image: the pointer's pixel there
    ASSERT_EQ(statusText(viewer, 0), "Untitled1");
    EXPECT_EQ(statusText(viewer, 2), "150, 80");
    EXPECT_EQ(statusText(viewer, 3), "150, 80, 0") << "the new image's values";
    POINT p;
    GetCursorPos(&p);
    HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "BUTTON", "", WS_POPUP | WS_VISIBLE, p.x - 20,
                                 p.y - 20, 40, 40, nullptr, nullptr, nullptr, nullptr);
    pumpMessages(50);
    key("+");
    EXPECT_EQ(statusText(viewer, 2), " ") << "a window in front of the pane is under the pointer";
    DestroyWindow(cover);
    key("-");
    pointAtPane(400, 300);
    ASSERT_EQ(statusText(viewer, 2), "400, 300");
    key("+");  // beside the smaller image
    EXPECT_EQ(statusText(viewer, 2), " ");
    key("-.");  // zoomed in about the middle
    EXPECT_EQ(statusText(viewer, 2), freshReadout()) << "after a key zoom";
    key("{RIGHT}{DOWN}");
    EXPECT_EQ(statusText(viewer, 2), freshReadout()) << "after a key scroll";
    key("j");
    EXPECT_EQ(statusText(viewer, 2), freshReadout()) << "after a fit";
}

TEST_F(ViewerUseTest, StatusTextsFitTheirPartsAtNormalAndSmallestSize)
{
    writeFile(inCurrent("zr4.cfg"), "{ ZRConfig\nPixelDisplayType 1\n}\n");
    activateServers(&session, 4);
    renderImage(3840, 2160, [](int x, int y) {
        return x == 0 && y == 0 ? Rgba{-9.87e9f, -1234.56f, -5.5e37f, 1} : Rgba{0.5f, 0.5f, 0.5f, 1};
    });
    HWND status = GetDlgItem(viewer, 3);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(status, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr) << "the status bar draws in a font of its own";
    HDC dc = GetDC(status);
    HGDIOBJ previous = SelectObject(dc, font);
    int borders = 3 + 2 * GetSystemMetrics(SM_CXEDGE);  // the inset of the text and the part's edges
    auto expectFits = [&](int part, const char* when) {
        std::string text = statusText(viewer, part);
        RECT r;
        SendMessageA(status, SB_GETRECT, part, reinterpret_cast<LPARAM>(&r));
        SIZE size;
        GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
        EXPECT_LE(size.cx + borders, r.right - r.left) << when << ": part " << part << " \"" << text << "\"";
        RECT client;
        GetClientRect(status, &client);
        EXPECT_LE(r.right, client.right) << when << ": part " << part << " inside the status bar";
    };
    for (const char* when : {"normal", "smallest"}) {
        if (std::string(when) == "smallest") {
            SetWindowPos(viewer, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
            settleViewer(viewer);
        }
        key("{END}{PGDN}");
        for (int i = 0; i < 70; i++) key(",");
        ASSERT_EQ(statusText(viewer, 1), "1/65x");
        expectFits(1, when);
        while (statusText(viewer, 1) != "1/10x") key(".");
        expectFits(1, when);
        while (statusText(viewer, 1) != "1x") key(".");
        key("{END}{PGDN}");
        RECT client;
        GetClientRect(pane, &client);
        POINT corner = {client.right - 20, client.bottom - 20};
        Pixel p = pixelAt(corner);
        EXPECT_GE(p.x, 1000) << when << ": four-digit coordinates";
        expectFits(2, when);
        key("{HOME}{PGUP}");
        pixelAt(POINT{0, 0});
        ASSERT_EQ(statusText(viewer, 3), "-9.87e9, -1234.6, -5.5e37");
        expectFits(3, when);
        EXPECT_EQ(statusText(viewer, 0), "Untitled1") << when << ": the name stays whole";
        expectFits(0, when);
    }
    // Comparing, at the smallest size: the three values and the reference.
    renderImage(3840, 2160, [](int, int) { return Rgba{-9.87e9f, -1234.56f, -5.5e37f, 1}; });
    key("{CTRL+1}");
    SetWindowPos(viewer, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
    settleViewer(viewer);
    key("{HOME}{PGUP}");
    pixelAt(POINT{0, 0});
    EXPECT_EQ(statusText(viewer, 3), "-9.87e9, -1234.6, -5.5e37 | ref -9.87e9, -1234.6, -5.5e37 | diff 0.000, 0.000, 0.000");
    for (int part : {0, 3}) expectFits(part, "comparing, smallest");
    SelectObject(dc, previous);
    ReleaseDC(status, dc);
}

TEST_F(ViewerUseTest, EveryToolbarButtonIsInsideTheSmallestWindow)
{
    renderImage(16, 16, flat);
    SetWindowPos(viewer, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER);
    settleViewer(viewer);
    HWND toolbar = GetDlgItem(viewer, 20);
    RECT client, bar;
    GetClientRect(viewer, &client);
    GetWindowRect(toolbar, &bar);
    MapWindowPoints(nullptr, viewer, reinterpret_cast<POINT*>(&bar), 2);
    int buttons = int(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    ASSERT_EQ(buttons, 20);
    for (int i = 0; i < buttons; i++) {
        RECT r;
        ASSERT_TRUE(SendMessageA(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)));
        EXPECT_LE(bar.left + r.right, client.right) << "button " << i;
        EXPECT_LE(bar.top + r.bottom, client.bottom) << "button " << i;
    }
}

TEST_F(ViewerUseTest, FitKeepsAWindowTheUserPlacedWhereItFits)
{
    renderImage(3840, 2160, flat);
    for (int i = 0; i < 4; i++) key(",");
    SetWindowPos(viewer, nullptr, 40, 60, 600, 400, SWP_NOZORDER);  // the user's move
    settleViewer(viewer);
    key("j");
    RECT r;
    GetWindowRect(viewer, &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 60);
    EXPECT_LT(r.right - r.left, 600) << "fitted to the smaller picture";
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(viewer, nullptr, work.right - 100, 60, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    settleViewer(viewer);
    for (int i = 0; i < 4; i++) key(".");
    key("j");
    GetWindowRect(viewer, &r);
    EXPECT_EQ(r.right, work.right) << "moved only as far as it must";
    EXPECT_EQ(r.top, 60);
}

namespace {

BOOL CALLBACK findSlotTips(HWND w, LPARAM found)
{
    char name[64];
    GetClassNameA(w, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || SendMessageA(w, TTM_GETTOOLCOUNT, 0, 0) != 20) return TRUE;
    *reinterpret_cast<HWND*>(found) = w;
    return FALSE;
}

// The viewer's tooltip control that holds the slot tools: twenty of them.
HWND slotTips(HWND viewer)
{
    HWND found = nullptr;
    EnumThreadWindows(GetWindowThreadProcessId(viewer, nullptr), findSlotTips, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string toolText(HWND tips, HWND owner, UINT_PTR id)
{
    char text[512] = "";
    TTTOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = owner;
    tool.uId = id;
    tool.lpszText = text;
    SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

}  // namespace

TEST_F(PointerTest, SlotButtonsTellWhatTheirSlotHolds)
{
    renderImage(64, 48, flat);
    renderImage(200, 100, flat);
    HWND tips = slotTips(viewer);
    ASSERT_NE(tips, nullptr);
    HWND first = GetDlgItem(viewer, 200), third = GetDlgItem(viewer, 202);
    // The frames render in less than a tenth of a second: no render time.
    EXPECT_EQ(toolText(tips, viewer, UINT_PTR(first)), "Slot 1: Untitled1, 64 x 48");
    EXPECT_EQ(toolText(tips, viewer, UINT_PTR(GetDlgItem(viewer, 201))), "Slot 2: Untitled2, 200 x 100");
    EXPECT_FALSE(IsWindowEnabled(third)) << "an empty slot is disabled";
    EXPECT_EQ(toolText(tips, viewer, 2), "Slot 3: empty");
    key("{CTRL+2}");
    EXPECT_EQ(toolText(tips, viewer, UINT_PTR(GetDlgItem(viewer, 201))), "Slot 2: Untitled2, 200 x 100 (the reference)");
    key("{CTRL+2}");
    // Hovering over the disabled button shows the tip, from its rectangle on
    // the viewer.
    RECT r;
    GetWindowRect(third, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    POINT inViewer = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ScreenToClient(viewer, &inViewer);
    PostMessageA(viewer, WM_MOUSEMOVE, 0, MAKELPARAM(inViewer.x, inViewer.y));
    ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(tips) != 0; }, 3000));
    char shown[128] = "";
    GetWindowTextA(tips, shown, sizeof shown);
    EXPECT_STREQ(shown, "Slot 3: empty");
    // And over a filled one, from the button itself.
    GetWindowRect(first, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(first, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    waitUntil([&] { return GetWindowTextA(tips, shown, sizeof shown) && !strcmp(shown, "Slot 1: Untitled1, 64 x 48"); },
              3000);
    EXPECT_STREQ(shown, "Slot 1: Untitled1, 64 x 48");
    EXPECT_TRUE(IsWindowVisible(tips));
}
