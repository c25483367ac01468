// Hands finished frames from the host's rendering thread to the display
// thread, which runs the viewer. One display thread at most: frames that
// arrive while it is starting, or after its viewer has begun to close, wait
// in a queue that the thread empties into its viewer (or into a new viewer
// when the old one was closed meanwhile); frames posted to a viewer that
// closed before it stored them come back to that queue. A frame is never
// lost or leaked.
#include "host/display_thread_win.h"

#include <stdio.h>

#include "host/frame_queue.h"
#include "host/render_status.h"
#include "host/services.h"
#include "image/image.h"
#include "platform/file_replace_win.h"
#include "platform/system_message_win.h"
#include "settings/config_file.h"
#include "settings/settings.h"
#include "viewer/viewer_win.h"

namespace {

HINSTANCE g_module;
CRITICAL_SECTION g_lock;
FrameQueue g_frames;  // under g_lock: the host's thread and the display thread share it

struct ForegroundWindow {
    char className[64];
    char title[64];
};

ForegroundWindow rememberForeground()
{
    ForegroundWindow f = {};
    HWND w = GetForegroundWindow();
    if (w) {
        GetClassNameA(w, f.className, sizeof f.className);
        GetWindowTextA(w, f.title, sizeof f.title);
    }
    return f;
}

void restoreForeground(const ForegroundWindow& f)
{
    if (!f.className[0]) return;
    HWND w = FindWindowA(f.className, f.title);
    if (w) SetForegroundWindow(w);
}

void closingViewer(HWND)
{
    EnterCriticalSection(&g_lock);
    viewerClosing(&g_frames);
    LeaveCriticalSection(&g_lock);
}

// A frame the closing viewer was sent but never stored.
void takeBack(Image* image)
{
    EnterCriticalSection(&g_lock);
    int kept = giveBackFrame(&g_frames, image);
    LeaveCriticalSection(&g_lock);
    if (!kept) freeImage(image);
}

const char* hostDirectory(const char* kind)
{
    LWDirInfoFunc dirInfo = hostServices()->dirInfo;
    return dirInfo ? dirInfo(kind) : nullptr;
}

const LWImageUtil* hostImageUtil()
{
    return hostServices()->imageUtil;
}

// The configuration file follows each change the viewer makes, so that a
// host that crashes or is killed later keeps them. A file that cannot be
// written is told once, not at every change after it, until a write
// succeeds again; the file itself stays as it was.
void settingsChanged(HWND viewer)
{
    static bool told;
    clearFileFailure();
    const Settings* settings = settingsRecord();
    if (saveConfigFile(hostServices()->fileIO, settings, windowsFiles())) {
        told = false;
        return;
    }
    if (told) return;
    told = true;
    char text[SETTINGS_PATH_SIZE + 80 + 256];
    snprintf(text, sizeof text, "The settings couldn't be saved to\n%s", settings->configPath);
    appendSystemReason(text, sizeof text, lastFileFailure());
    MessageBoxA(viewer, text, "ZR", MB_ICONEXCLAMATION | MB_OK);
}

// Runs one viewer from its first image until the user closes it.
void runViewer(Image* image)
{
    HWND viewer = CreateViewerWindow({g_module, static_cast<HWND>(hostWindow()), closingViewer, takeBack, hostDirectory,
                                      hostImageUtil, settingsChanged},
                                     image);

    EnterCriticalSection(&g_lock);
    viewerOpened(&g_frames, viewer);
    while (viewer && g_frames.head) {
        Image* queued = takeQueuedFrame(&g_frames);
        if (!PostMessageA(viewer, WM_NEWIMAGE, 0, reinterpret_cast<LPARAM>(queued))) freeImage(queued);
    }
    LeaveCriticalSection(&g_lock);

    if (viewer) {
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

Image* nextImage(bool finish)
{
    EnterCriticalSection(&g_lock);
    Image* image = nextFrameForThread(&g_frames, finish);
    LeaveCriticalSection(&g_lock);
    return image;
}

// The thread holds a reference to the library, so that the host unloading
// the plug-in while the viewer is open cannot pull the code from under it.
DWORD WINAPI displayThreadMain(LPVOID argument)
{
    ForegroundWindow previous = rememberForeground();
    Image* image = static_cast<Image*>(argument);
    while (image) {
        runViewer(image);
        image = nextImage(false);  // arrived as the viewer closed: a new viewer
        if (image) continue;
        // The window that was in front comes back before the thread counts
        // as finished: a frame arriving meanwhile waits for this thread,
        // rather than opening a viewer that the restore would push behind it.
        restoreForeground(previous);
        image = nextImage(true);
    }
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&displayThreadMain), &self);
    FreeLibraryAndExitThread(self, 0);
    return 0;
}

// 1 when the thread runs and owns image.
int startDisplayThread(Image* image)
{
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&displayThreadMain),
                            &self))
        return 0;
    HANDLE thread = CreateThread(nullptr, 0, displayThreadMain, image, 0, nullptr);
    if (!thread) {
        FreeLibrary(self);
        return 0;
    }
    CloseHandle(thread);
    return 1;
}

}  // namespace

void initDisplayThread(HINSTANCE module)
{
    g_module = module;
    InitializeCriticalSection(&g_lock);
}

// The display thread holds a reference to the library, so at detach it
// has ended; only images queued for nobody can remain.
void shutdownDisplayThread()
{
    while (Image* image = takeQueuedFrame(&g_frames)) freeImage(image);
    releaseRecycledImage();
    DeleteCriticalSection(&g_lock);
}

void handImageToViewer(Image* image)
{
    if (!image) return;
    EnterCriticalSection(&g_lock);
    FrameRoute route = routeFrame(&g_frames);
    int kept = 1;
    if (route == ROUTE_POST &&
        !PostMessageA(static_cast<HWND>(g_frames.viewer), WM_NEWIMAGE, 0, reinterpret_cast<LPARAM>(image)))
        route = ROUTE_QUEUE;
    if (route == ROUTE_QUEUE) kept = queueFrame(&g_frames, image);
    LeaveCriticalSection(&g_lock);
    if (!kept) freeImage(image);
    if (route != ROUTE_START || startDisplayThread(image)) return;
    EnterCriticalSection(&g_lock);
    threadNotStarted(&g_frames);
    LeaveCriticalSection(&g_lock);
    freeImage(image);
}

// Called for every top-level window at every frame: the title, which may
// cost a message to another process, is read only when the class fits.
BOOL CALLBACK matchRenderStatus(HWND window, LPARAM found)
{
    char className[32] = "";
    char title[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (!isRenderStatusClass(className)) return TRUE;
    GetWindowTextA(window, title, sizeof title);
    if (isRenderStatusWindow(className, title)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void closeRenderStatus()
{
    HWND found = nullptr;
    EnumWindows(matchRenderStatus, reinterpret_cast<LPARAM>(&found));
    if (found) SendMessageA(found, WM_KEYDOWN, VK_ESCAPE, 0x101);
}
