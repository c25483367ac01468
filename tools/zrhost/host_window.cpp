// The stand-in host's main window: the owner of the plug-in's windows, as
// LightWave's Layout window is.
#include "zrhost/host_services.h"

static HWND g_mainWindow;

static LRESULT CALLBACK hostWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_DESTROY:
        if (hwnd == g_mainWindow) g_mainWindow = nullptr;
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

HWND hostMainWindow()
{
    if (g_mainWindow) return g_mainWindow;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = hostWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = "ZRHostLayout";
    RegisterClassExA(&wc);
    g_mainWindow = CreateWindowExA(0, wc.lpszClassName, "ZR Host - Layout", WS_OVERLAPPEDWINDOW, 40, 40, 800, 600,
                                   nullptr, nullptr, instance, nullptr);
    return g_mainWindow;
}

void destroyHostMainWindow()
{
    if (g_mainWindow) DestroyWindow(g_mainWindow);
    g_mainWindow = nullptr;
}
