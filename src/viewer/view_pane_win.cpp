// The image view pane's window procedure: clicks zoom, a control-drag
// pans, the wheel zooms or scrolls, moves report the pixel under the
// pointer, and with Shift they move the wipe's split. Painting, zooming
// and scrolling, and the readout live beside it.
#include "image/slots.h"
#include "viewer/compare.h"
#include "viewer/pane_geometry.h"
#include "viewer/pane_win.h"
#include "viewer/viewer_win.h"
#include "viewer/zoom.h"

static const char VIEW_STATE_PROPERTY[] = "ZRImageInfoPointer";

ViewState* paneState(HWND pane)
{
    return static_cast<ViewState*>(GetPropA(pane, VIEW_STATE_PROPERTY));
}

int32_t scaledWidth(const ViewState* vs)
{
    return scaledSize(vs->imageWidth, vs->zoomIndex);
}

int32_t scaledHeight(const ViewState* vs)
{
    return scaledSize(vs->imageHeight, vs->zoomIndex);
}

static POINT pointOf(LPARAM lp)
{
    return POINT{int16_t(LOWORD(lp)), int16_t(HIWORD(lp))};
}

static LRESULT OnLeftButtonDown(HWND pane, WPARAM wp, LPARAM lp)
{
    ViewState* vs = paneState(pane);
    if (!vs) return 0;
    POINT p = pointOf(lp);
    vs->mouseX = int16_t(p.x);
    vs->mouseY = int16_t(p.y);
    if (vs->placingText) {
        int onImage = ClientPointToImage(pane, &p, 1);
        EndTextPlacement(GetParent(pane), p.x, p.y, onImage);
    } else if (wp & MK_CONTROL) {
        vs->dragging = 1;
        SetClassCursor(pane, IDC_SIZEALL);
        SetCapture(pane);
    } else {
        SetZoom(pane, &p, WM_LBUTTONDOWN);
    }
    return 0;
}

static LRESULT OnLeftButtonUp(HWND pane, WPARAM wp, LPARAM lp)
{
    ViewState* vs = paneState(pane);
    if (!vs || !vs->dragging) return DefWindowProcA(pane, WM_LBUTTONUP, wp, lp);
    ReleaseCapture();
    vs->dragging = 0;
    SetClassCursor(pane, IDC_CROSS);
    return 0;
}

static LRESULT OnRightButtonDown(HWND pane, WPARAM wp, LPARAM lp)
{
    ViewState* vs = paneState(pane);
    if (!vs || vs->dragging) return DefWindowProcA(pane, WM_RBUTTONDOWN, wp, lp);
    POINT p = pointOf(lp);
    vs->mouseX = int16_t(p.x);
    vs->mouseY = int16_t(p.y);
    SetZoom(pane, &p, WM_RBUTTONDOWN);
    return 0;
}

static bool g_trackingLeave;

// With Shift held, the wipe's split follows the pointer.
static void MoveWipe(HWND pane, ViewState* vs, POINT p)
{
    const View* reference = referenceView();
    if (!reference) return;
    int32_t x = wipeColumnFor(imagePixelAt(vs->scrollX, p.x, vs->zoomIndex), vs->imageWidth, reference->image->width);
    if (x == vs->wipeX) return;
    vs->wipeX = x;
    InvalidateRect(pane, nullptr, FALSE);
    UpdateWindow(pane);
}

static LRESULT OnMouseMove(HWND pane, WPARAM wp, LPARAM lp)
{
    ViewState* vs = paneState(pane);
    POINT p = pointOf(lp);
    if (vs && vs->dragging) {
        DragScroll(pane, p);
        return 0;
    }
    if (vs && vs->compareMode == COMPARE_WIPE && (wp & MK_SHIFT)) MoveWipe(pane, vs, p);
    if (!g_trackingLeave) {  // to blank the readout once the pointer has gone
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, pane, 0};
        g_trackingLeave = TrackMouseEvent(&track) != FALSE;
    }
    UpdateReadout(pane, &p);
    return DefWindowProcA(pane, WM_MOUSEMOVE, wp, lp);
}

// Scrolls one axis by the lines a wheel notch is set to move.
static void WheelScroll(HWND pane, UINT message, int direction)
{
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    if (lines == WHEEL_PAGESCROLL) {
        SendMessageA(pane, message, direction > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0);
        return;
    }
    for (UINT i = 0; i < lines && i < 64; i++) SendMessageA(pane, message, direction > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
}

// The wheel zooms about the pointer; with Shift it scrolls sideways, with
// Ctrl up and down. A tilt wheel scrolls sideways. Partial turns of a
// smooth wheel add up to whole notches, each wheel's apart.
static LRESULT OnMouseWheel(HWND pane, UINT message, WPARAM wp, LPARAM lp)
{
    static int rest[2];  // the wheel's, the tilt wheel's
    int notches = wheelNotches(&rest[message == WM_MOUSEHWHEEL], GET_WHEEL_DELTA_WPARAM(wp));
    if (notches == 0) return 0;
    POINT at = pointOf(lp);  // the wheel's point is on the screen
    ScreenToClient(pane, &at);
    RECT client;
    GetClientRect(pane, &client);
    if (!PtInRect(&client, at)) at = paneCentre(pane);
    WORD keys = GET_KEYSTATE_WPARAM(wp);
    int direction = notches > 0 ? 1 : -1;
    for (int n = notches > 0 ? notches : -notches; n > 0; n--) {
        if (message == WM_MOUSEHWHEEL)
            WheelScroll(pane, WM_HSCROLL, -direction);  // tilted right scrolls right
        else if (keys & MK_SHIFT)
            WheelScroll(pane, WM_HSCROLL, direction);
        else if (keys & MK_CONTROL)
            WheelScroll(pane, WM_VSCROLL, direction);
        else
            WheelZoom(pane, at, direction);
    }
    return 0;
}

// The pointer has left the pane, for its border, a scroll bar or another
// window: no pixel is under it any more.
static LRESULT OnMouseLeave(HWND pane)
{
    g_trackingLeave = false;
    UpdateReadout(pane, nullptr);
    return 0;
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

static LRESULT OnDestroy(HWND pane)
{
    g_trackingLeave = false;
    RemovePropA(pane, VIEW_STATE_PROPERTY);
    ReleasePanePaint();
    return 0;
}

LRESULT CALLBACK ViewPaneProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE: return OnCreate(hwnd, reinterpret_cast<CREATESTRUCTA*>(lp));
    case WM_DESTROY: return OnDestroy(hwnd);
    case WM_SIZE: UpdateScrollBars(hwnd); return 0;
    case WM_PAINT: return PaintPane(hwnd);
    case WM_HSCROLL: ScrollPane(hwnd, SB_HORZ, wp); return 0;
    case WM_VSCROLL: ScrollPane(hwnd, SB_VERT, wp); return 0;
    case WM_MOUSEMOVE: return OnMouseMove(hwnd, wp, lp);
    case WM_MOUSELEAVE: return OnMouseLeave(hwnd);
    case WM_LBUTTONDOWN: return OnLeftButtonDown(hwnd, wp, lp);
    case WM_LBUTTONUP: return OnLeftButtonUp(hwnd, wp, lp);
    case WM_RBUTTONDOWN: return OnRightButtonDown(hwnd, wp, lp);
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: return OnMouseWheel(hwnd, msg, wp, lp);
    default: return DefWindowProcA(hwnd, msg, wp, lp);
    }
}
