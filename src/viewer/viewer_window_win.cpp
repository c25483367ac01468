// The viewer's top-level window: creation, children, layout, and the
// window procedure, a switch of one line per message.
#include <time.h>

#include <windows.h>
#include <commctrl.h>

#include "display/safe_overlay_win.h"
#include "image/slots.h"
#include "settings/settings.h"
#include "viewer/compare.h"
#include "viewer/pane_geometry.h"
#include "viewer/viewer_commands.h"
#include "viewer/viewer_win.h"

enum { SLOT_STRIP_HEIGHT = 20, MARGIN = 4 };
enum { MIN_WIDTH = 320, MIN_HEIGHT = 240, ZORDER_GUARD_SECONDS = 4 };

static time_t g_shownTime;
static ViewerLink g_link;  // one viewer at a time

// Where the viewer last placed itself; a window found elsewhere has been
// placed by the user, and fitting then keeps it where the user put it.
static struct {
    bool placed;
    POINT corner;
    bool byUser;
} g_placement;

static void CreateChildWindows(HWND viewer)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(viewer, GWLP_HINSTANCE));
    CreateToolbar(viewer);
    CreateStatusBar(viewer);
    CreateSlotStrip(viewer);
    CreateWindowExA(0, VIEWER_PANE_CLASS, "", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, MARGIN, 0, 100, 100,
                    viewer, reinterpret_cast<HMENU>(ID_PANE), instance, viewState());
}

static void LayoutChildren(HWND viewer, int width, int height)
{
    int toolbarHeight = AutosizeToolbar(viewer);
    int statusHeight = LayoutStatusBar(width, height);
    LayoutSlotStrip(viewer, width, height - statusHeight - SLOT_STRIP_HEIGHT);
    MoveWindow(GetDlgItem(viewer, ID_PANE), MARGIN, toolbarHeight, width - 2 * MARGIN,
               height - (SLOT_STRIP_HEIGHT + statusHeight + toolbarHeight + MARGIN), TRUE);
}

static LRESULT OnCreate(HWND viewer)
{
    CreateChildWindows(viewer);
    FitToScreen(GetDlgItem(viewer, ID_PANE));
    return 0;
}

// Images still on their way to the viewer go back to its owner, which
// shows them in a new viewer: closing loses no frame.
static LRESULT OnDestroy(HWND viewer)
{
    ReleaseStatusBar();
    ReleaseSlotStrip();
    releaseComparison();
    freeAllSlots();
    g_link.closing(viewer);
    GiveBackUnstoredImages(viewer, g_link.giveBack);
    PostQuitMessage(0);
    return 0;
}

static LRESULT OnPaint(HWND viewer)
{
    PAINTSTRUCT ps;
    BeginPaint(viewer, &ps);
    EndPaint(viewer, &ps);
    return 0;
}

// Wide enough for every toolbar button and every status bar part.
static int MinimumViewerWidth(HWND viewer)
{
    RECT window, client;
    if (!GetWindowRect(viewer, &window) || !GetClientRect(viewer, &client)) return MIN_WIDTH;
    SIZE toolbar = {0, 0};
    SendDlgItemMessageA(viewer, ID_TOOLBAR, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&toolbar));
    int content = toolbar.cx > StatusBarMinimumWidth() ? toolbar.cx : StatusBarMinimumWidth();
    int width = (window.right - window.left) - client.right + content;
    return width > MIN_WIDTH ? width : MIN_WIDTH;
}

void KeepMinimumWidth(HWND viewer)
{
    RECT window;
    if (!GetWindowRect(viewer, &window) || IsZoomed(viewer) || IsIconic(viewer)) return;
    int least = MinimumViewerWidth(viewer);
    if (window.right - window.left < least)
        SetWindowPos(viewer, nullptr, 0, 0, least, window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER);
}

static LRESULT OnGetMinMaxInfo(HWND viewer, MINMAXINFO* info)
{
    info->ptMinTrackSize.x = MinimumViewerWidth(viewer);
    info->ptMinTrackSize.y = MIN_HEIGHT;
    return 0;
}

void PlaceFittedViewer(HWND viewer, int width, int height)
{
    int minWidth = MinimumViewerWidth(viewer);
    if (width < minWidth) width = minWidth;
    if (height < MIN_HEIGHT) height = MIN_HEIGHT;
    RECT window, work;
    GetWindowRect(viewer, &window);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    if (g_placement.placed && (window.left != g_placement.corner.x || window.top != g_placement.corner.y))
        g_placement.byUser = true;
    WindowPosition p = placeFittedWindow(window.left, window.top, width, height,
                                         PaneRect{work.left, work.top, work.right, work.bottom}, g_placement.byUser);
    SetWindowPos(viewer, nullptr, p.x, p.y, width, height, 0);
    GetWindowRect(viewer, &window);
    g_placement.placed = true;
    g_placement.corner = POINT{window.left, window.top};
}

// For a few seconds after the viewer is shown, plain moves and sizes (its
// own fitting among them) keep it where it is in the z-order, so a render
// that ends does not push it behind the host.
static LRESULT OnWindowPosChanging(HWND viewer, WINDOWPOS* pos, WPARAM wp, LPARAM lp)
{
    time_t now = time(nullptr);
    if (pos->flags & SWP_SHOWWINDOW) {
        g_shownTime = now;
    } else if (pos->flags == 0 && now < g_shownTime + ZORDER_GUARD_SECONDS) {
        pos->flags |= SWP_NOZORDER;
    }
    return DefWindowProcA(viewer, WM_WINDOWPOSCHANGING, wp, lp);
}

static LRESULT OnCommand(HWND viewer, WPARAM wp)
{
    SetFocus(viewer);  // keys keep working after a button was clicked
    DispatchCommand(viewer, LOWORD(wp));
    return 0;
}

static LRESULT OnNotify(HWND viewer, WPARAM wp, LPARAM lp)
{
    NMHDR* notification = reinterpret_cast<NMHDR*>(lp);
    if (GetSlotTip(notification) || GetToolbarTip(notification)) return 0;
    return DefWindowProcA(viewer, WM_NOTIFY, wp, lp);
}

LRESULT CALLBACK ViewerWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_DESTROY: return OnDestroy(hwnd);
    case WM_SIZE: LayoutChildren(hwnd, LOWORD(lp), HIWORD(lp)); return 0;
    case WM_PAINT: return OnPaint(hwnd);
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(hwnd, reinterpret_cast<MINMAXINFO*>(lp));
    case WM_WINDOWPOSCHANGING: return OnWindowPosChanging(hwnd, reinterpret_cast<WINDOWPOS*>(lp), wp, lp);
    case WM_NOTIFY: return OnNotify(hwnd, wp, lp);
    case WM_CONTEXTMENU:
        if (ToggleReferenceOfButton(hwnd, reinterpret_cast<HWND>(wp))) return 0;
        return DefWindowProcA(hwnd, msg, wp, lp);
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: return SendDlgItemMessageA(hwnd, ID_PANE, msg, wp, lp);
    case WM_KEYDOWN: HandleKeyDown(hwnd, wp); return 0;
    case WM_CHAR: HandleCharKey(hwnd, wp); return 0;
    case WM_COMMAND: return OnCommand(hwnd, wp);
    case WM_NEWIMAGE: AddNewImage(hwnd, reinterpret_cast<Image*>(lp)); return 0;
    default: return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

const ViewerLink& viewerLink()
{
    return g_link;
}

HWND CreateViewerWindow(const ViewerLink& link, Image* image)
{
    g_link = link;
    g_placement = {};
    setCurrentSlot(0);
    if (!storeImageInSlot(image, settingsRecord(), 0, rebuildViewDisplay)) {
        freeImage(image);  // alone in an empty viewer, nothing can make room for it
        return nullptr;
    }
    loadViewState(0);
    HWND viewer = CreateWindowExA(WS_EX_APPWINDOW, VIEWER_MAIN_CLASS, "Render Display - ZR 4.0",
                                  WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  link.owner, nullptr, link.module, nullptr);
    if (!viewer) {
        freeAllSlots();  // the image went with the slot
        return nullptr;
    }
    RefreshViewer(viewer, 0, 0);
    ShowWindow(viewer, SW_SHOWNORMAL);
    UpdateWindow(viewer);
    return viewer;
}
