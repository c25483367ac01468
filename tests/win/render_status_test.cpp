// Which "Render Status" window pause closes.
#include "viewer_fixture.h"

namespace {

int g_escapes;
WNDPROC g_classProc;

// Counts the Escape key-downs a window receives, then lets its class handle them.
LRESULT CALLBACK countEscapes(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_KEYDOWN && wp == VK_ESCAPE && lp == 0x101) g_escapes++;
    return g_classProc ? CallWindowProcA(g_classProc, hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}

// A top-level window of that class and title; "WMgrBasic" is the host's class.
HWND topLevel(const char* className, const char* title)
{
    registerRenderStatusClass();
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassExA(&wc);  // fails, harmlessly, for a class that exists
    // Topmost, so it comes first among the desktop's windows (tests running
    // beside this one have render status windows of their own).
    HWND w = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, className, title, WS_POPUP, 0, 0, 50, 50, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(w, SW_SHOWNOACTIVATE);
    g_classProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countEscapes)));
    return w;
}

class RenderStatusTest : public ViewerTest {
protected:
    // One frame without the host's own status window; escapes counted.
    int escapesForOneFrame(const char* className, const char* title)
    {
        g_escapes = 0;
        HWND w = topLevel(className, title);
        RenderOptions options;
        options.renderStatus = false;
        options.width = options.height = 8;
        std::string error;
        EXPECT_TRUE(renderFrames(&session, instance, options, &error)) << error;
        DestroyWindow(w);
        return g_escapes;
    }
};

}  // namespace

// Which names match is checked natively; here, that the match is sent Escape.
TEST_F(RenderStatusTest, TheHostsWindowIsSentEscape)
{
    EXPECT_EQ(escapesForOneFrame("WMgrBasic", "Render Status - Frame 12 (3.2 s)"), 1);
    EXPECT_EQ(escapesForOneFrame("WMgrBasic", "render status - Frame 1"), 0);
}

TEST_F(RenderStatusTest, NothingIsSentWhenTheSettingIsOff)
{
    writeFile(inCurrent("zr4.cfg"), "{ ZRConfig\nCloseRenderStatus 0\n}\n");
    activateServers(&session, 4);
    EXPECT_EQ(escapesForOneFrame("WMgrBasic", "Render Status - Frame 1"), 0);
}

TEST_F(RenderStatusTest, TheStandInHostsOwnStatusWindowIsClosedAtEachFrame)
{
    int before = renderStatusClosings();
    RenderOptions options;
    options.frames = 3;
    options.width = options.height = 16;
    std::string error;
    ASSERT_TRUE(renderFrames(&session, instance, options, &error)) << error;
    EXPECT_EQ(renderStatusClosings() - before, 3);
}
