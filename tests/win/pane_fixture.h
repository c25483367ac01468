// A viewer showing frames whose pixels a test chooses, driven by messages
// and read back from its status bar and the screen.
#pragma once

#include <functional>

#include "viewer_fixture.h"

struct Rgba {
    float r, g, b, a;
};

// The float that the viewer shows as display byte k at default levels.
float byteValue(int k);

class PaneTest : public ViewerTest {
protected:
    void SetUp() override
    {
        ViewerTest::SetUp();
        // The real pointer stays off the viewer (which opens in the middle of
        // the screen), so that its moves cannot overtake the test's own.
        SetCursorPos(0, 0);
    }

    // One frame whose pixels the test chooses; waits until it is shown.
    void renderImage(int width, int height, const std::function<Rgba(int, int)>& pixel)
    {
        handOverImage(width, height, pixel);
        viewer = findViewer(5000);
        ASSERT_NE(viewer, nullptr);
        ASSERT_TRUE(waitForName("Untitled" + std::to_string(framesRendered)));
        pane = GetDlgItem(viewer, 2);
    }

    // The same without waiting for it to show.
    void handOverImage(int width, int height, const std::function<Rgba(int, int)>& pixel)
    {
        const LWFrameBufferHandler& fb = session.handler;
        ASSERT_EQ(fb.open(instance, width, height), nullptr);
        ASSERT_EQ(fb.begin(instance), nullptr);
        std::vector<float> r(width), g(width), b(width), a(width);
        for (int y = 0; y < height; y++) {
            for (int x = 0; x < width; x++) {
                Rgba p = pixel(x, y);
                r[x] = p.r, g[x] = p.g, b[x] = p.b, a[x] = p.a;
            }
            fb.write(instance, r.data(), g.data(), b.data(), a.data());
        }
        fb.pause(instance);
        fb.close(instance);
        framesRendered++;
    }

    // Waits until the pane's size has held for a while: the display may
    // report a resize some time after the viewer showed, which moves the
    // middle of the pane under a test that zooms about it.
    void waitForSteadyPane()
    {
        RECT last = {}, now = {};
        DWORD start = GetTickCount(), steadySince = start;
        while (GetTickCount() - start < 3000 && GetTickCount() - steadySince < 400) {
            settleViewer(viewer);
            GetWindowRect(pane, &now);
            if (!EqualRect(&now, &last)) steadySince = GetTickCount();
            last = now;
            pumpMessages(20);
        }
    }

    Capture capturePane()
    {
        settleViewer(viewer);
        UpdateWindow(pane);
        Capture c;
        EXPECT_TRUE(captureWindow(pane, &c));
        return c;
    }

    int scrollPos(int bar) { return GetScrollPos(pane, bar); }

    void key(const char* keys) { ASSERT_TRUE(sendKeys(viewer, keys)); }

    void mouse(UINT message, int x, int y, WPARAM flags = 0)
    {
        SendMessageA(pane, message, flags, MAKELPARAM(x, y));
    }

    // The readout at client point (x, y), field 2 (position) or 3 (values).
    // A refresh that lands late (a resize the display reports after the
    // image shows) redraws the readout from the parked real pointer, so the
    // move is repeated until the field settles, for up to two seconds.
    std::string readoutAt(int x, int y, int field, const std::string& expected)
    {
        std::string text;
        for (int attempt = 0; attempt < 40; attempt++) {
            mouse(WM_MOUSEMOVE, x, y);
            text = statusText(viewer, field);
            if (text == expected) break;
            Sleep(50);
        }
        return text;
    }

    HWND pane = nullptr;
};

