// The about box as the host's options button opens it: in the calling
// thread, over the host's window, closing on its own or at a click, and
// giving back every bitmap and font.
#include <windows.h>

#include <vector>

#include "plugin_fixture.h"
#include "zrhost/render.h"
#include "zrhost/viewer_remote.h"

namespace {

BOOL CALLBACK collectBox(HWND w, LPARAM context)
{
    char cls[16];
    GetClassNameA(w, cls, sizeof cls);
    RECT client;
    if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(w) && GetClientRect(w, &client) && client.right == 344 &&
        client.bottom == 144)
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(w);
    return TRUE;
}

class AboutTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        activateServers(&session, 4);
        ASSERT_EQ(session.interfaceResult, 0);
        owner = hostMainWindow();
    }

    // Presses the options button; the box belongs to this thread.
    void pressOptions() { ASSERT_EQ(session.iface.options(nullptr), nullptr); }

    static std::vector<HWND> boxes()
    {
        std::vector<HWND> found;
        EnumThreadWindows(GetCurrentThreadId(), collectBox, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    HWND owner = nullptr;
};

}  // namespace

// When each box's timer message was taken from the queue: closing a box
// under Wine's X driver without a window manager waits two seconds for the
// window to be withdrawn, so when a box is gone says less than this.
std::vector<std::pair<HWND, DWORD>> g_timers;
LRESULT CALLBACK recordTimers(int code, WPARAM wp, LPARAM lp)
{
    const MSG* m = reinterpret_cast<const MSG*>(lp);
    if (code == HC_ACTION && wp == PM_REMOVE && m->message == WM_TIMER) g_timers.push_back({m->hwnd, GetTickCount()});
    return CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(AboutTest, TwoOpeningsGiveTwoBoxesThatEachCloseOnTheirOwn)
{
    g_timers.clear();
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, recordTimers, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    DWORD firstOpened = GetTickCount();
    pressOptions();
    ASSERT_EQ(boxes().size(), 1u);
    HWND first = boxes()[0];
    pumpMessages(1200);
    DWORD secondOpened = GetTickCount();
    pressOptions();
    ASSERT_EQ(boxes().size(), 2u);
    HWND second = boxes()[0] == first ? boxes()[1] : boxes()[0];
    waitUntil([&] { return !IsWindow(first) && !IsWindow(second); }, 15000);
    UnhookWindowsHookEx(hook);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(IsWindow(second));
    DWORD firstTimer = 0, secondTimer = 0;
    for (auto [box, at] : g_timers) {
        if (box == first && !firstTimer) firstTimer = at;
        if (box == second && !secondTimer) secondTimer = at;
    }
    ASSERT_NE(firstTimer, 0u) << "the first closed at its own time";
    ASSERT_NE(secondTimer, 0u) << "and the second at its own, not with the first";
    EXPECT_GE(firstTimer - firstOpened, 2950u);
    EXPECT_GE(secondTimer - secondOpened, 2950u);
    EXPECT_GT(secondTimer, firstTimer);
}

TEST_F(AboutTest, AClickClosesItEarlyAndEverythingItMadeIsGivenBack)
{
    pressOptions();  // the first opening loads what stays for the process (fonts, the icon)
    SendMessageA(GetDlgItem(boxes()[0], 1), BM_CLICK, 0, 0);
    pumpMessages(100);
    DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 3; i++) {
        pressOptions();
        std::vector<HWND> open = boxes();
        ASSERT_EQ(open.size(), 1u);
        UpdateWindow(open[0]);
        SendMessageA(GetDlgItem(open[0], 1), BM_CLICK, 0, 0);
        pumpMessages(50);
        EXPECT_FALSE(IsWindow(open[0])) << "closed at once";
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi) << "bitmaps, fonts and pens freed";
}

TEST_F(AboutTest, ItIsCentredOnTheHostWindowAndShowsPictureAndPanel)
{
    SetWindowPos(owner, nullptr, 100, 100, 800, 600, SWP_NOZORDER);
    pressOptions();
    HWND box = boxes()[0];
    RECT r;
    GetWindowRect(box, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    EXPECT_EQ(r.left, 100 + (800 - w) / 2);
    EXPECT_EQ(r.top, 100 + (600 - h) / 2);
    UpdateWindow(box);
    pumpMessages(100);
    Capture c;
    ASSERT_TRUE(captureWindow(box, &c));
    ASSERT_EQ(c.width, 344);
    ASSERT_EQ(c.height, 144);
    for (int x = 160; x < 344; x++) ASSERT_EQ(c.red(x, 72) + c.green(x, 72) + c.blue(x, 72), 3 * 255) << "the rule, " << x;
    EXPECT_EQ(c.red(343, 140), 0) << "the panel is black";
    int white = 0;
    for (int y = 95; y < 135; y++)
        for (int x = 165; x < 300; x++) white += c.red(x, y) == 255 && c.green(x, y) == 255;
    EXPECT_GT(white, 100) << "version and build texts";
    HBITMAP picture = LoadBitmapA(session.plugin.module, "zrabout1");
    ASSERT_NE(picture, nullptr);
    BITMAP info;
    GetObjectA(picture, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 160);
    EXPECT_EQ(info.bmHeight, 144);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    for (int y = 0; y < 144; y += 13)
        for (int x = 0; x < 160; x += 11) {
            COLORREF p = GetPixel(dc, x, y);
            ASSERT_EQ(c.red(x, y), GetRValue(p)) << x << "," << y;
            ASSERT_EQ(c.blue(x, y), GetBValue(p)) << x << "," << y;
        }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(picture);
    SendMessageA(GetDlgItem(box, 1), BM_CLICK, 0, 0);
}

TEST_F(AboutTest, ABoxNearTheDesktopsCornerIsHeldInside)
{
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    SetWindowPos(owner, nullptr, desktop.right - 100, desktop.bottom - 50, 300, 200, SWP_NOZORDER);
    pressOptions();
    RECT r;
    GetWindowRect(boxes()[0], &r);
    EXPECT_EQ(r.right, desktop.right);
    EXPECT_EQ(r.bottom, desktop.bottom);
    SendMessageA(GetDlgItem(boxes()[0], 1), BM_CLICK, 0, 0);
}
