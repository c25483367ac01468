#include "zrhost/render.h"

#include <stdio.h>

#include "zrhost/host_services.h"
#include "zrhost/patterns.h"

static int g_statusClosings;

static LRESULT CALLBACK renderStatusProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_KEYDOWN && wp == VK_ESCAPE) {
        if (IsWindowVisible(hwnd)) g_statusClosings++;
        ShowWindow(hwnd, SW_HIDE);  // shown again for the next frame
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void registerRenderStatusClass()
{
    static bool registered;
    if (registered) return;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = renderStatusProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "WMgrBasic";
    registered = RegisterClassExA(&wc) != 0;
}

// LightWave's render status window: class "WMgrBasic", title "Render Status ...".
static HWND showRenderStatus(HWND existing, int frame, int total)
{
    registerRenderStatusClass();
    char title[96];
    snprintf(title, sizeof title, "Render Status - Frame %d of %d", frame, total);
    HWND w = existing && IsWindow(existing) ? existing
                                            : CreateWindowExA(WS_EX_TOOLWINDOW, "WMgrBasic", title,
                                                              WS_OVERLAPPED | WS_CAPTION, 60, 60, 360, 120,
                                                              hostMainWindow(), nullptr, GetModuleHandleA(nullptr),
                                                              nullptr);
    if (!w) return nullptr;
    SetWindowTextA(w, title);
    ShowWindow(w, SW_SHOWNOACTIVATE);
    return w;
}

int renderStatusClosings()
{
    return g_statusClosings;
}

void pumpMessages(int ms)
{
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (ms > 0) Sleep(1);
    } while (int(GetTickCount() - start) < ms);
}

// The pattern of frame i: a comma-separated list takes turns.
static std::string patternOf(const std::string& list, int i)
{
    std::vector<std::string> names;
    size_t start = 0;
    for (size_t comma; (comma = list.find(',', start)) != std::string::npos; start = comma + 1)
        names.push_back(list.substr(start, comma - start));
    names.push_back(list.substr(start));
    return names[size_t(i) % names.size()];
}

int renderFrames(const HostSession* session, LWInstance instance, const RenderOptions& options, std::string* error)
{
    const LWFrameBufferHandler& fb = session->handler;
    HWND status = nullptr;
    hostConfig()->sceneInfo.framesPerSecond = options.fps;
    if (LWError e = fb.open(instance, options.width, options.height)) {
        *error = e;
        return 0;
    }
    int ok = 1;
    for (int i = 0; i < options.frames && ok; i++) {
        Frame frame;
        if (!renderPattern(patternOf(options.pattern, i), options.width, options.height, options.firstFrame + i, &frame,
                           error)) {
            ok = 0;
            break;
        }
        if (options.renderStatus) status = showRenderStatus(status, options.firstFrame + i, options.frames);
        hostConfig()->interfaceInfo.curTime = (options.firstFrame + i) / options.fps;  // as the host's time moves on
        if (LWError e = fb.begin(instance)) {
            *error = e;
            ok = 0;
            break;
        }
        // A frame read from a file has its own size; the plug-in takes the
        // rows of the size it was opened with.
        for (int y = 0; y < options.height; y++) {
            int sy = y < frame.height ? y : frame.height - 1;
            size_t at = size_t(sy) * frame.width;
            std::vector<float> r(options.width), g(options.width), b(options.width), a(options.width);
            for (int x = 0; x < options.width; x++) {
                size_t i2 = at + size_t(x < frame.width ? x : frame.width - 1);
                r[x] = frame.red[i2], g[x] = frame.green[i2], b[x] = frame.blue[i2], a[x] = frame.alpha[i2];
            }
            fb.write(instance, r.data(), g.data(), b.data(), a.data());
        }
        fb.pause(instance);
        pumpMessages(options.intervalMs);
    }
    fb.close(instance);
    if (status && IsWindow(status)) DestroyWindow(status);
    return ok;
}
