#include "zrhost/ingest_timing.h"

#include <algorithm>
#include <string>
#include <vector>

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

// Waits up to ten seconds for done(); 0 when it never came. Between looks
// it waits for the viewer's thread to take a message, so it neither spins
// on the core the viewer needs nor sleeps past the moment.
template <typename Done>
int waitFor(Done done)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 10000) return 0;
        pumpMessages(0);
        HWND viewer = findViewer(0);
        if (viewer)
            settleViewer(viewer);
        else
            Sleep(1);  // its thread is still starting
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

namespace {

enum { SLOTS = 10 };

struct FrameTimes {
    double begin, rows, handOver, painting, total;
};

double median(std::vector<FrameTimes>& times, double FrameTimes::*part)
{
    std::vector<double> v;
    for (const FrameTimes& t : times) v.push_back(t.*part);
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// One frame from begin to painted; false when the viewer never showed it.
bool sendFrame(const LWFrameBufferHandler& fb, LWInstance instance, const Frame& frame, int n, FrameTimes* t)
{
    double start = milliseconds();
    fb.begin(instance);
    double begun = milliseconds();
    for (int y = 0; y < frame.height; y++) {
        size_t at = size_t(y) * frame.width;
        fb.write(instance, &frame.red[at], &frame.green[at], &frame.blue[at], &frame.alpha[at]);
    }
    double written = milliseconds();
    fb.pause(instance);
    if (!waitFor([n] { return named(n); })) return false;
    double handed = milliseconds();
    if (!waitFor(painted)) return false;
    double end = milliseconds();
    *t = {begun - start, written - begun, handed - written, end - handed, end - start};
    return true;
}

}  // namespace

IngestTiming measureIngest(const HostSession* session, int width, int height, int frames)
{
    IngestTiming result = {-1, 0, 0, 0, 0, 0, 0};
    Frame frame;
    std::string error;
    if (!renderPattern("spheres", width, height, 0, &frame, &error)) return result;
    LWInstance instance = session->instanceFuncs.create(nullptr, nullptr, nullptr);
    if (!instance) return result;
    const LWFrameBufferHandler& fb = session->handler;
    fb.open(instance, width, height);
    std::vector<FrameTimes> filling, timed;
    bool shown = true;
    for (int n = 1; n <= SLOTS + frames && shown; n++) {
        FrameTimes t;
        shown = sendFrame(fb, instance, frame, n, &t);
        if (n > 1) (n <= SLOTS ? filling : timed).push_back(t);
    }
    if (shown) {
        result.perFrame = median(timed, &FrameTimes::total);
        result.begin = median(timed, &FrameTimes::begin);
        result.rows = median(timed, &FrameTimes::rows);
        result.handOver = median(timed, &FrameTimes::handOver);
        result.painting = median(timed, &FrameTimes::painting);
        for (const FrameTimes& t : filling) result.filling += t.total / double(filling.size());
        HWND pane = viewerPane();
        double start = milliseconds();
        InvalidateRect(pane, nullptr, FALSE);
        UpdateWindow(pane);  // painted by the viewer's thread before this returns
        result.repaint = milliseconds() - start;
    }
    fb.close(instance);
    session->instanceFuncs.destroy(instance);
    return result;
}
