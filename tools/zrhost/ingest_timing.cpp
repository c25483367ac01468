#include "zrhost/ingest_timing.h"

#include <string>

#include "zrhost/patterns.h"
#include "zrhost/render.h"
#include "zrhost/viewer_remote.h"

namespace {

double milliseconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// Waits up to ten seconds for done(); 0 when it never came.
template <typename Done>
int waitFor(Done done)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 10000) return 0;
        pumpMessages(0);
        Sleep(0);
    }
    return 1;
}

HWND viewerPane()
{
    HWND viewer = findViewer(0);
    return viewer ? GetDlgItem(viewer, 2) : nullptr;
}

// The viewer names image number n.
int named(int n)
{
    std::string name = "Untitled" + std::to_string(n);
    HWND viewer = findViewer(0);
    return viewer && statusText(viewer, 0) == name;
}

// The pane has painted everything it was asked to.
int painted()
{
    HWND pane = viewerPane();
    return pane && !GetUpdateRect(pane, nullptr, FALSE);
}

}  // namespace

IngestTiming measureIngest(const HostSession* session, int width, int height, int frames)
{
    IngestTiming t = {-1, 0, 0, 0, 0, 0};
    Frame frame;
    std::string error;
    if (!renderPattern("spheres", width, height, 0, &frame, &error)) return t;
    LWInstance instance = session->instanceFuncs.create(nullptr, nullptr, nullptr);
    if (!instance) return t;
    const LWFrameBufferHandler& fb = session->handler;
    fb.open(instance, width, height);
    double total = 0;
    int shown = 1;
    // Frame 1 opens the viewer and is not timed; frames 2 .. frames + 1 are.
    for (int i = 1; i <= frames + 1 && shown; i++) {
        double start = milliseconds();
        fb.begin(instance);
        double begun = milliseconds();
        for (int y = 0; y < height; y++) {
            size_t at = size_t(y) * width;
            fb.write(instance, &frame.red[at], &frame.green[at], &frame.blue[at], &frame.alpha[at]);
        }
        double written = milliseconds();
        fb.pause(instance);
        shown = waitFor([i] { return named(i); });
        double handed = milliseconds();
        shown = shown && waitFor(painted);
        double end = milliseconds();
        if (i == 1) continue;
        t.begin += begun - start;
        t.rows += written - begun;
        t.handOver += handed - written;
        t.painting += end - handed;
        total += end - start;
    }
    if (shown) {
        t.perFrame = total / frames;
        t.begin /= frames;
        t.rows /= frames;
        t.handOver /= frames;
        t.painting /= frames;
        HWND pane = viewerPane();
        double start = milliseconds();
        InvalidateRect(pane, nullptr, FALSE);
        UpdateWindow(pane);  // painted by the viewer's thread before this returns
        t.repaint = milliseconds() - start;
    }
    fb.close(instance);
    session->instanceFuncs.destroy(instance);
    return t;
}
