// The library's attach and detach work: icons, window classes, and the
// final release after the host has used the plug-in.
#include <windows.h>
#include <commctrl.h>

#include "dialogs/about_box_win.h"
#include "host/display_thread_win.h"
#include "host/services.h"
#include "host/viewer_handoff.h"
#include "output/print_win.h"
#include "platform/file_replace_win.h"
#include "settings/config_file.h"
#include "viewer/viewer_win.h"

static HICON g_largeIcon;
static HICON g_smallIcon;

static void registerClass(HINSTANCE module, const char* name, WNDPROC proc, HICON icon, HICON smallIcon,
                          LPCSTR cursor, int sysColour)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = module;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = LoadCursorA(nullptr, cursor);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(INT_PTR(sysColour + 1));
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

// Failures here are not fatal: they show later as a viewer that cannot open.
static void registerWindowClasses(HINSTANCE module)
{
    g_largeIcon = static_cast<HICON>(LoadImageA(module, "lgicon", IMAGE_ICON, 32, 32, 0));
    g_smallIcon = static_cast<HICON>(LoadImageA(module, "smicon", IMAGE_ICON, 16, 16, 0));
    registerClass(module, VIEWER_MAIN_CLASS, ViewerWindowProc, g_largeIcon, g_smallIcon, IDC_ARROW, COLOR_BTNFACE);
    registerClass(module, VIEWER_PANE_CLASS, ViewPaneProc, nullptr, nullptr, IDC_CROSS, COLOR_BTNSHADOW);
    InitCommonControls();
}

static void releasePlugin()
{
    saveConfigFile(hostServices()->fileIO, settingsRecord(), windowsFiles());
}

// Classes outlive the library that registered them: left registered, they
// would keep this load's icons and window procedures for the next load at
// the same address. No viewer is open now: its thread holds the library.
static void unregisterWindowClasses(HINSTANCE module)
{
    UnregisterClassA(VIEWER_MAIN_CLASS, module);
    UnregisterClassA(VIEWER_PANE_CLASS, module);
    DestroyIcon(g_largeIcon);
    DestroyIcon(g_smallIcon);
    g_largeIcon = g_smallIcon = nullptr;
}

static void recordModulePath(HINSTANCE module)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(module, path, sizeof path);
    if (n == 0 || n >= sizeof path) path[0] = 0;  // a cut path names the wrong folder
    setPluginModulePath(path);
}

static HINSTANCE g_module;

// Three seconds over the host's window, in the thread that asked.
static void showAbout(void* hostWindow)
{
    ShowAboutBox(g_module, static_cast<HWND>(hostWindow), 3000);
}

// Through the import table, so a test host can set the clock.
static uint32_t tickCount()
{
    return GetTickCount();
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        g_module = module;
        recordModulePath(module);
        registerWindowClasses(module);
        initDisplayThread(module);
        setSessionPlatform({handImageToViewer, closeRenderStatus, tickCount, showAbout});
        break;
    case DLL_PROCESS_DETACH:
        if (pluginWasActivated()) releasePlugin();
        FreePrinterSetup();
        shutdownDisplayThread();
        unregisterWindowClasses(module);
        break;
    }
    return TRUE;
}
