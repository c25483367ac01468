// Frames rendered by the host reach the viewer, which the tests drive with
// messages and read back through its controls.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "viewer_fixture.h"
#include "zrhost/host_services.h"

TEST_F(ViewerTest, TheFirstFrameOpensTheViewerAndLaterOnesBecomeCurrent)
{
    ASSERT_TRUE(render(1));
    char title[64];
    GetWindowTextA(viewer, title, sizeof title);
    EXPECT_STREQ(title, "Render Display - ZR 4.0");
    EXPECT_EQ(statusText(viewer, 0), "Untitled1");
    EXPECT_EQ(checkedSlot(viewer), 0);
    HWND first = viewer;
    render(2);
    EXPECT_EQ(viewer, first) << "one viewer";
    EXPECT_EQ(statusText(viewer, 0), "Untitled3");
    EXPECT_EQ(checkedSlot(viewer), 2);
    EXPECT_EQ(enabledSlots(viewer), 3);
    EXPECT_EQ(statusText(viewer, 1), "1x");
}

TEST_F(ViewerTest, FramesSentFasterThanTheViewerStartsAreAllKept)
{
    ASSERT_TRUE(render(7));
    EXPECT_EQ(enabledSlots(viewer), 7);
    EXPECT_EQ(statusText(viewer, 0), "Untitled7");
}

// Creation times never fall from one slot to the next, so slot 0 always
// holds the oldest image: the eleventh goes there, whatever the seconds.
TEST_F(ViewerTest, TheEleventhImageReplacesTheOldestAndDigitsSelectSlots)
{
    ASSERT_TRUE(render(11));
    EXPECT_EQ(enabledSlots(viewer), 10);
    EXPECT_EQ(statusText(viewer, 0), "Untitled11");
    EXPECT_EQ(checkedSlot(viewer), 0);
    sendKeys(viewer, "2");
    EXPECT_EQ(statusText(viewer, 0), "Untitled2");
    sendKeys(viewer, "0");
    EXPECT_EQ(checkedSlot(viewer), 9);
    EXPECT_EQ(statusText(viewer, 0), "Untitled10");
    sendKeys(viewer, "+");
    EXPECT_EQ(checkedSlot(viewer), 0);
    sendKeys(viewer, "-");
    EXPECT_EQ(checkedSlot(viewer), 9);
}

TEST_F(ViewerTest, EmptySlotsCannotBeSelected)
{
    ASSERT_TRUE(render(1));
    sendKeys(viewer, "5+-");
    EXPECT_EQ(checkedSlot(viewer), 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(viewer, 204)));
}

TEST_F(ViewerTest, DeletingShowsTheNewestRemainingAndTheLastClosesTheViewer)
{
    ASSERT_TRUE(render(2));
    Sleep(1100);  // creation times count whole seconds
    render(1);
    sendKeys(viewer, "1d");  // slot 0 goes: the newest is slot 2, not the neighbour
    EXPECT_EQ(statusText(viewer, 0), "Untitled3");
    EXPECT_EQ(enabledSlots(viewer), 2);
    sendKeys(viewer, "{DEL}");
    EXPECT_EQ(statusText(viewer, 0), "Untitled2");
    sendKeys(viewer, "d");
    EXPECT_TRUE(waitGone(viewer));
}

TEST_F(ViewerTest, ChannelButtonsToggleBackToRgb)
{
    ASSERT_TRUE(render(1));
    EXPECT_TRUE(toolbarChecked(viewer, 105));
    SendMessageA(viewer, WM_COMMAND, 107, 0);
    EXPECT_TRUE(toolbarChecked(viewer, 107));
    EXPECT_FALSE(toolbarChecked(viewer, 105));
    SendMessageA(viewer, WM_COMMAND, 107, 0);
    EXPECT_TRUE(toolbarChecked(viewer, 105));
    EXPECT_FALSE(toolbarChecked(viewer, 107));
    sendKeys(viewer, "i");
    EXPECT_TRUE(toolbarChecked(viewer, 105)) << "RGB stays RGB";
    sendKeys(viewer, "ab");
    EXPECT_TRUE(toolbarChecked(viewer, 109));
    EXPECT_FALSE(toolbarChecked(viewer, 106));
}

TEST_F(ViewerTest, OverlayButtonsFollowTheirKeys)
{
    ASSERT_TRUE(render(2));
    sendKeys(viewer, "fh");
    EXPECT_TRUE(toolbarChecked(viewer, 110));
    EXPECT_TRUE(toolbarChecked(viewer, 111));
    sendKeys(viewer, "1");  // overlays belong to the viewer, not the slot
    EXPECT_TRUE(toolbarChecked(viewer, 110));
    sendKeys(viewer, "h");
    EXPECT_FALSE(toolbarChecked(viewer, 110));
}

TEST_F(ViewerTest, EscapeEndsTextPlacementBeforeItClosesTheViewer)
{
    ASSERT_TRUE(render(1));
    sendKeys(viewer, "t");
    EXPECT_TRUE(toolbarChecked(viewer, 114));
    sendKeys(viewer, "{ESC}");
    EXPECT_FALSE(toolbarChecked(viewer, 114));
    EXPECT_TRUE(IsWindow(viewer));
    sendKeys(viewer, "{ESC}");
    EXPECT_TRUE(waitGone(viewer));
}

// An enabled button's picture is drawn in full: dark or coloured ink in
// each, where a greyed one has only the greys and white of its embossing.
TEST_F(ViewerTest, EveryEnabledToolbarPictureHasDarkInk)
{
    ASSERT_TRUE(render(1));
    HWND toolbar = GetDlgItem(viewer, 20);
    settleViewer(viewer);
    UpdateWindow(toolbar);
    Capture c;
    ASSERT_TRUE(captureWindow(toolbar, &c));
    int enabled = 0;
    for (int i = 0; i < int(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0)); i++) {
        TBBUTTON button = {};
        RECT r;
        SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        if ((button.fsStyle & BTNS_SEP) || !(button.fsState & TBSTATE_ENABLED)) continue;
        SendMessageA(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
        int ink = 0;
        for (int y = r.top + 3; y < r.bottom - 3 && y < c.height; y++)
            for (int x = r.left + 3; x < r.right - 3 && x < c.width; x++) {
                int high = std::max({c.red(x, y), c.green(x, y), c.blue(x, y)});
                int low = std::min({c.red(x, y), c.green(x, y), c.blue(x, y)});
                ink += high < 100 || high - low > 40;  // dark, or a colour
            }
        EXPECT_GE(ink, 6) << "button " << button.idCommand << " looks greyed";
        enabled++;
    }
    EXPECT_GE(enabled, 10);
}

TEST_F(ViewerTest, TheViewerCannotBeMadeSmallerThan320By240)
{
    ASSERT_TRUE(render(1));
    SetWindowPos(viewer, nullptr, 0, 0, 100, 80, SWP_NOMOVE | SWP_NOZORDER);
    settleViewer(viewer);
    RECT r;
    GetWindowRect(viewer, &r);
    EXPECT_GE(r.right - r.left, 320);
    EXPECT_GE(r.bottom - r.top, 240);
}

TEST_F(ViewerTest, AMinimisedViewerComesBackForANewImage)
{
    ASSERT_TRUE(render(1));
    ShowWindow(viewer, SW_MINIMIZE);
    settleViewer(viewer);
    ASSERT_TRUE(IsIconic(viewer));
    render(1);
    EXPECT_EQ(statusText(viewer, 0), "Untitled2");
    EXPECT_TRUE(waitUntil([&] { return !IsIconic(viewer); }, 3000)) << "restored just after the name is shown";
}

TEST_F(ViewerTest, ClosingTheViewerMakesTheNextFrameOpenANewOne)
{
    ASSERT_TRUE(render(2));
    HWND first = viewer;
    closeViewer();
    ASSERT_FALSE(IsWindow(first));
    ASSERT_TRUE(render(1));
    EXPECT_EQ(enabledSlots(viewer), 1) << "a new viewer starts empty";
    EXPECT_EQ(statusText(viewer, 0), "Untitled3");
}

TEST_F(ViewerTest, UnloadingThePluginWithTheViewerOpenIsSafe)
{
    ASSERT_TRUE(render(2));
    session.instanceFuncs.destroy(instance);
    instance = nullptr;
    unload();
    // The viewer keeps working on its own thread.
    ASSERT_TRUE(IsWindow(viewer));
    sendKeys(viewer, "1");
    EXPECT_EQ(statusText(viewer, 0), "Untitled1");
    HMODULE stillLoaded = GetModuleHandleA(inPlugin("zr40.p").c_str());
    EXPECT_NE(stillLoaded, nullptr) << "the display thread holds the library";
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitGone(viewer));
    EXPECT_TRUE(waitUntil([&] { return !GetModuleHandleA(inPlugin("zr40.p").c_str()); }, 5000))
        << "released when the viewer closed";
    EXPECT_TRUE(fileExists(inPlugin("zr4.cfg"))) << "and wrote its settings then";
}
