#include "zrhost/ingest_timing.h"

#include <string>

#include "zrhost/patterns.h"
#include "zrhost/render.h"
#include "zrhost/viewer_remote.h"

static double seconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

// Waits until the viewer names image number n; 0 after ten seconds.
static int waitShown(int n)
{
    std::string name = "Untitled" + std::to_string(n);
    DWORD start = GetTickCount();
    for (;;) {
        HWND viewer = findViewer(0);
        if (viewer && statusText(viewer, 0) == name) return 1;
        if (GetTickCount() - start > 10000) return 0;
        pumpMessages(0);
        Sleep(0);
    }
}

double measureIngest(const HostSession* session, int width, int height, int frames)
{
    Frame frame;
    std::string error;
    if (!renderPattern("spheres", width, height, 0, &frame, &error)) return -1;
    LWInstance instance = session->instanceFuncs.create(nullptr, nullptr, nullptr);
    if (!instance) return -1;
    const LWFrameBufferHandler& fb = session->handler;
    fb.open(instance, width, height);
    double start = 0;
    int shown = 1;
    // Frame 1 opens the viewer and is not timed; frames 2 .. frames + 1 are.
    for (int i = 1; i <= frames + 1 && shown; i++) {
        if (i == 2) start = seconds();
        fb.begin(instance);
        for (int y = 0; y < height; y++) {
            size_t at = size_t(y) * width;
            fb.write(instance, &frame.red[at], &frame.green[at], &frame.blue[at], &frame.alpha[at]);
        }
        fb.pause(instance);
        shown = waitShown(i);
    }
    double perFrame = shown ? (seconds() - start) * 1000.0 / frames : -1;
    fb.close(instance);
    session->instanceFuncs.destroy(instance);
    return perFrame;
}
