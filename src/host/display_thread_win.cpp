// Hands finished frames from the host's rendering thread to the display
// thread, which runs the viewer. One display thread at most: frames that
// arrive while it is starting, or after its viewer has gone, wait in a
// queue that the thread empties into its viewer (or into a new viewer when
// the old one was closed meanwhile). A frame is never lost or leaked.
#include "host/display_thread_win.h"

#include <stdlib.h>
#include <string.h>

#include "host/services.h"
#include "image/image.h"
#include "viewer/viewer_win.h"

namespace {

enum ThreadState { THREAD_NONE, THREAD_STARTING, THREAD_RUNNING };

struct QueuedImage {
    Image* image;
    QueuedImage* next;
};

CRITICAL_SECTION g_lock;
HWND g_viewer;  // read by the host's thread, written by the display thread
ThreadState g_state;
QueuedImage* g_queueHead;
QueuedImage* g_queueTail;

// Under g_lock. 0 when there is no memory for the entry (the caller then
// frees the image: it cannot be kept).
int enqueue(Image* image)
{
    QueuedImage* entry = static_cast<QueuedImage*>(malloc(sizeof(QueuedImage)));
    if (!entry) return 0;
    entry->image = image;
    entry->next = nullptr;
    if (g_queueTail)
        g_queueTail->next = entry;
    else
        g_queueHead = entry;
    g_queueTail = entry;
    return 1;
}

// Under g_lock. Null when the queue is empty.
Image* dequeue()
{
    QueuedImage* entry = g_queueHead;
    if (!entry) return nullptr;
    g_queueHead = entry->next;
    if (!g_queueHead) g_queueTail = nullptr;
    Image* image = entry->image;
    free(entry);
    return image;
}

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

// Messages posted to the viewer but not handled before it closed.
void freeUndeliveredImages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_NEWIMAGE, WM_NEWIMAGE, PM_REMOVE))
        freeImage(reinterpret_cast<Image*>(msg.lParam));
}

// Runs one viewer from its first image until the user closes it.
void runViewer(Image* image)
{
    HWND viewer = CreateViewerWindow(static_cast<HWND>(hostWindow()), image);

    EnterCriticalSection(&g_lock);
    g_viewer = viewer;
    g_state = THREAD_RUNNING;
    while (viewer && g_queueHead) {
        Image* queued = dequeue();
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
    freeUndeliveredImages();
}

// The thread holds a reference to the library, so that the host unloading
// the plug-in while the viewer is open cannot pull the code from under it.
DWORD WINAPI displayThreadMain(LPVOID argument)
{
    ForegroundWindow previous = rememberForeground();
    Image* image = static_cast<Image*>(argument);
    while (image) {
        runViewer(image);
        EnterCriticalSection(&g_lock);
        g_viewer = nullptr;
        image = dequeue();  // arrived after the viewer closed: a new viewer
        g_state = image ? THREAD_STARTING : THREAD_NONE;
        LeaveCriticalSection(&g_lock);
    }
    restoreForeground(previous);
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

void initDisplayThread()
{
    InitializeCriticalSection(&g_lock);
}

// The display thread holds a reference to the library, so at detach it
// has ended; only images queued for nobody can remain.
void shutdownDisplayThread()
{
    while (Image* image = dequeue()) freeImage(image);
    DeleteCriticalSection(&g_lock);
}

void handImageToViewer(Image* image)
{
    if (!image) return;
    EnterCriticalSection(&g_lock);
    if (g_state == THREAD_RUNNING && g_viewer &&
        PostMessageA(g_viewer, WM_NEWIMAGE, 0, reinterpret_cast<LPARAM>(image))) {
        LeaveCriticalSection(&g_lock);
        return;
    }
    if (g_state != THREAD_NONE) {
        // Starting, or its viewer is closing: the thread takes it from the queue.
        int queued = enqueue(image);
        LeaveCriticalSection(&g_lock);
        if (!queued) freeImage(image);
        return;
    }
    g_state = THREAD_STARTING;
    LeaveCriticalSection(&g_lock);
    if (startDisplayThread(image)) return;
    EnterCriticalSection(&g_lock);
    g_state = THREAD_NONE;
    LeaveCriticalSection(&g_lock);
    freeImage(image);
}

BOOL CALLBACK matchRenderStatus(HWND window, LPARAM found)
{
    char className[32] = "";
    char title[32] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (strcmp(className, "WMgrBasic") == 0 && strncmp(title, "Render Status", 13) == 0) {
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
