// The image view pane. This first version keeps the zoom and fits the
// viewer to the image; the picture itself is painted by a later version,
// so for now the pane shows its background.
#include "host/plugin_module_win.h"
#include "image/slots.h"
#include "viewer/viewer_commands.h"
#include "viewer/viewer_win.h"
#include "viewer/zoom.h"

static const char VIEW_STATE_PROPERTY[] = "ZRImageInfoPointer";

static ViewState* stateOf(HWND pane)
{
    return static_cast<ViewState*>(GetPropA(pane, VIEW_STATE_PROPERTY));
}

static LRESULT OnCreate(HWND pane, const CREATESTRUCTA* create)
{
    ViewState* vs = static_cast<ViewState*>(create->lpCreateParams);
    vs->scrollX = vs->scrollY = 0;
    vs->maxScrollX = vs->maxScrollY = 0;
    vs->zoomScale = 1.0f;
    vs->zoomIndex = ZOOM_ONE;
    SetPropA(pane, VIEW_STATE_PROPERTY, vs);
    return 0;
}

static LRESULT OnPaint(HWND pane)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(pane, &ps);
    FillRect(dc, &ps.rcPaint, reinterpret_cast<HBRUSH>(GetClassLongPtrA(pane, GCLP_HBRBACKGROUND)));
    EndPaint(pane, &ps);
    return 0;
}

LRESULT CALLBACK ViewPaneProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE: return OnCreate(hwnd, reinterpret_cast<CREATESTRUCTA*>(lp));
    case WM_DESTROY: RemovePropA(hwnd, VIEW_STATE_PROPERTY); return 0;
    case WM_PAINT: return OnPaint(hwnd);
    default: return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

void RepaintPane(HWND pane)
{
    ViewState* vs = stateOf(pane);
    InvalidateRect(pane, nullptr, FALSE);
    UpdateWindow(pane);
    if (vs) SetStatusZoom(vs->zoomIndex);
}

void SetZoom(HWND pane, const POINT*, UINT step)
{
    ViewState* vs = stateOf(pane);
    if (!vs || !vs->view) return;
    if (step == WM_LBUTTONDOWN) {
        if (vs->zoomIndex >= ZOOM_MAX) return;
        vs->zoomIndex++;
    } else if (step == WM_RBUTTONDOWN) {
        if (vs->zoomIndex <= ZOOM_MIN) return;
        vs->zoomIndex--;
    }
    vs->zoomScale = zoomScaleOf(vs->zoomIndex);
    RepaintPane(pane);
}

void RefreshZoom(HWND pane)
{
    SetZoom(pane, nullptr, 0);
}

// Sizes the viewer so the pane shows the whole image, zooming out while
// the image is larger than the work area, and centres it there.
void FitToScreen(HWND pane)
{
    ViewState* vs = stateOf(pane);
    HWND viewer = GetParent(pane);
    if (!vs || !vs->view || !viewer) return;
    RECT window, client, work;
    GetWindowRect(viewer, &window);
    GetClientRect(viewer, &client);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int ww = work.right - work.left, wh = work.bottom - work.top;
    int fw = (window.right - window.left) + 8 - client.right;
    int fh = (window.bottom - window.top) + 4 - client.bottom + ToolbarHeight(viewer) + StatusBarHeight() + 20;
    float rx = (vs->imageWidth * vs->zoomScale + fw) / ww;
    float ry = (vs->imageHeight * vs->zoomScale + fh) / wh;
    if (rx > 1.0f || ry > 1.0f) {
        bool byWidth = rx > ry;
        do {
            vs->zoomIndex--;
            if (vs->zoomIndex <= ZOOM_MIN) break;
            vs->zoomScale = zoomScaleOf(vs->zoomIndex);
        } while (byWidth ? vs->imageWidth * vs->zoomScale + fw >= ww : vs->imageHeight * vs->zoomScale + fh >= wh);
    }
    SetZoom(pane, nullptr, 0);
    int width = fw + scaledSize(vs->imageWidth, vs->zoomScale);
    int height = fh + scaledSize(vs->imageHeight, vs->zoomScale);
    if (width > ww) width = ww;
    if (width < 320) width = 320;
    if (height > wh) height = wh;
    if (height < 240) height = 240;
    int x = work.left + (ww - width) / 2, y = work.top + (wh - height) / 2;
    SetWindowPos(viewer, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, width, height, 0);
}
