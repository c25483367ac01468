// The image view pane: paints the prepared display bitmaps at the zoom and
// scroll of the View state, zooms by clicks, scrolls by bars, keys and a
// control-drag, and reports the pixel under the mouse.
#include <stdio.h>

#include "display/reduced_bitmap.h"
#include "image/slots.h"
#include "viewer/pane_geometry.h"
#include "viewer/readout_format.h"
#include "viewer/viewer_commands.h"
#include "viewer/viewer_win.h"
#include "viewer/zoom.h"

static const char VIEW_STATE_PROPERTY[] = "ZRImageInfoPointer";

static ViewState* stateOf(HWND pane)
{
    return static_cast<ViewState*>(GetPropA(pane, VIEW_STATE_PROPERTY));
}

static int32_t scaledWidth(const ViewState* vs)
{
    return scaledSize(vs->imageWidth, vs->zoomIndex);
}

static int32_t scaledHeight(const ViewState* vs)
{
    return scaledSize(vs->imageHeight, vs->zoomIndex);
}

static void setBar(HWND pane, int bar, int32_t max, int32_t page, int32_t position)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = max;
    si.nPage = UINT(page);
    si.nPos = position;
    SetScrollInfo(pane, bar, &si, TRUE);
}

static void setBarPosition(HWND pane, int bar, int32_t position)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    si.nPos = position;
    SetScrollInfo(pane, bar, &si, TRUE);
}

static void UpdateScrollBars(HWND pane)
{
    ViewState* vs = stateOf(pane);
    if (!vs) return;
    RECT window;
    GetWindowRect(pane, &window);
    ScrollRanges r = scrollRangesFor(scaledWidth(vs), scaledHeight(vs), window.right - window.left,
                                     window.bottom - window.top, GetSystemMetrics(SM_CXVSCROLL));
    if (r.none || !vs->view) {
        vs->scrollX = vs->scrollY = vs->maxScrollX = vs->maxScrollY = 0;
        setBar(pane, SB_HORZ, 0, 0, 0);
        setBar(pane, SB_VERT, 0, 0, 0);
        return;
    }
    vs->maxScrollX = r.maxX;
    vs->maxScrollY = r.maxY;
    if (vs->scrollX > r.maxX) vs->scrollX = r.maxX;
    if (vs->scrollY > r.maxY) vs->scrollY = r.maxY;
    setBar(pane, SB_HORZ, r.maxX + r.viewWidth, r.viewWidth, vs->scrollX);
    setBar(pane, SB_VERT, r.maxY + r.viewHeight, r.viewHeight, vs->scrollY);
}

// ---- readout -------------------------------------------------------------

static int g_readoutBlank;

static void ShowPixelReadout(const View* view, int x, int y, int channel)
{
    if (x < 0 || !view) {
        if (g_readoutBlank) return;
        g_readoutBlank = 1;
        SetStatusText(2, " ");
        SetStatusText(3, " ");
        UpdateStatusBar();
        return;
    }
    g_readoutBlank = 0;
    char coordinates[32], values[32];
    snprintf(coordinates, sizeof coordinates, "%d, %d", x, y);
    formatPixelValues(view, x, y, channel, values, sizeof values);
    SetStatusText(2, coordinates);
    SetStatusText(3, values);
    UpdateStatusBar();
}

// A given point, or the cursor when it is over the client area.
int ClientPointToImage(HWND pane, POINT* point, int given)
{
    ViewState* vs = stateOf(pane);
    if (!vs || !vs->view) return 0;
    POINT p = *point;
    if (!given) {
        // The pointer counts only where the pane is what it points at, not
        // a window in front of it.
        RECT client;
        if (!GetCursorPos(&p) || WindowFromPoint(p) != pane) return 0;
        if (!ScreenToClient(pane, &p) || !GetClientRect(pane, &client)) return 0;
        if (p.x < 0 || p.x >= client.right || p.y < 0 || p.y >= client.bottom) return 0;
    }
    int32_t ix, iy;
    if (!clientToImage(p.x, p.y, vs->scrollX, vs->scrollY, vs->zoomIndex, scaledWidth(vs), scaledHeight(vs), &ix, &iy))
        return 0;
    point->x = ix;
    point->y = iy;
    return 1;
}

void UpdateReadout(HWND pane, const POINT* point)
{
    ViewState* vs = stateOf(pane);
    POINT p = point ? *point : POINT{0, 0};
    if (vs && ClientPointToImage(pane, &p, point != nullptr))
        ShowPixelReadout(vs->view, p.x, p.y, vs->channelView);
    else
        ShowPixelReadout(nullptr, -1, 0, 0);
}

// ---- zoom, scroll and drag -------------------------------------------------

void RepaintPane(HWND pane)
{
    ViewState* vs = stateOf(pane);
    InvalidateRect(pane, nullptr, FALSE);
    UpdateWindow(pane);
    if (vs) SetStatusZoom(vs->zoomIndex);
}

// The image pixel that the last zoom kept at a client point, and where that
// left the image. While nothing else has moved the image, the next zoom
// about the same point keeps that pixel, not the one read back from the
// screen, so that what snapping and clamping gave away does not add up
// over many steps.
static struct {
    const View* view;
    POINT at;
    int64_t x, y;
    int32_t scrollX, scrollY;
    int zoomIndex;
} g_kept;

struct ImagePixel {
    int64_t x, y;
};

static ImagePixel pixelToKeep(const ViewState* vs, POINT at)
{
    if (g_kept.view == vs->view && g_kept.at.x == at.x && g_kept.at.y == at.y && g_kept.scrollX == vs->scrollX &&
        g_kept.scrollY == vs->scrollY && g_kept.zoomIndex == vs->zoomIndex)
        return {g_kept.x, g_kept.y};
    return {imagePixelAt(vs->scrollX, at.x, vs->zoomIndex), imagePixelAt(vs->scrollY, at.y, vs->zoomIndex)};
}

// The client size the pane will have at a zoom: scroll bars come and go
// with the scaled size.
static SIZE viewSizeAt(HWND pane, const ViewState* vs, int zoomIndex)
{
    RECT window;
    GetWindowRect(pane, &window);
    int32_t width = window.right - window.left, height = window.bottom - window.top;
    ScrollRanges r = scrollRangesFor(scaledSize(vs->imageWidth, zoomIndex), scaledSize(vs->imageHeight, zoomIndex),
                                     width, height, GetSystemMetrics(SM_CXVSCROLL));
    return r.none ? SIZE{width, height} : SIZE{r.viewWidth, r.viewHeight};
}

static POINT paneCentre(HWND pane)
{
    RECT client;
    GetClientRect(pane, &client);
    return POINT{client.right / 2, client.bottom / 2};
}

// Zooms to zoomIndex with image pixel p under client point at, or under
// the middle of the pane as it will be at that zoom.
static void zoomKeeping(HWND pane, ViewState* vs, int zoomIndex, ImagePixel p, const POINT* at)
{
    SIZE view = viewSizeAt(pane, vs, zoomIndex);
    POINT target = at ? *at : POINT{view.cx / 2, view.cy / 2};
    vs->zoomIndex = zoomIndex;
    vs->zoomScale = zoomScaleOf(zoomIndex);
    vs->scrollX = scrollToKeep(p.x, target.x, zoomIndex, view.cx, scaledWidth(vs));
    vs->scrollY = scrollToKeep(p.y, target.y, zoomIndex, view.cy, scaledHeight(vs));
    RECT client;
    GetClientRect(pane, &client);
    SendMessageA(pane, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
    g_kept = {vs->view, target, p.x, p.y, vs->scrollX, vs->scrollY, zoomIndex};
    RepaintPane(pane);
}

// A click brings the clicked pixel to the middle of the pane; a zoom without
// a point keeps the pixel in the middle where it is.
void SetZoom(HWND pane, const POINT* anchor, UINT step)
{
    ViewState* vs = stateOf(pane);
    if (!vs || !vs->view) return;
    int zoomIndex = vs->zoomIndex;
    if (step == WM_LBUTTONDOWN) {
        if (zoomIndex >= ZOOM_MAX) return;
        zoomIndex++;
    } else if (step == WM_RBUTTONDOWN) {
        if (zoomIndex <= ZOOM_MIN) return;
        zoomIndex--;
    }
    zoomKeeping(pane, vs, zoomIndex, pixelToKeep(vs, anchor ? *anchor : paneCentre(pane)), nullptr);
    UpdateReadout(pane, anchor);
}

// One wheel notch: the next power-of-two zoom, with the pixel under the
// pointer kept under it.
static void WheelZoom(HWND pane, POINT at, int direction)
{
    ViewState* vs = stateOf(pane);
    if (!vs || !vs->view) return;
    int zoomIndex = wheelZoomIndex(vs->zoomIndex, direction);
    if (zoomIndex == vs->zoomIndex) return;
    zoomKeeping(pane, vs, zoomIndex, pixelToKeep(vs, at), &at);
    UpdateReadout(pane, &at);
}

void RefreshZoom(HWND pane)
{
    SetZoom(pane, nullptr, 0);
}

static void ScrollPane(HWND pane, int bar, WPARAM wp)
{
    ViewState* vs = stateOf(pane);
    if (!vs) return;
    int32_t& scroll = bar == SB_HORZ ? vs->scrollX : vs->scrollY;
    int32_t max = bar == SB_HORZ ? vs->maxScrollX : vs->maxScrollY;
    if (max == 0) return;
    // The message carries 16 bits of the thumb; beyond them the bar's own
    // 32-bit track position counts.
    int32_t thumb = HIWORD(wp);
    if (max > 0xFFFF) {
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(pane, bar, &si)) thumb = si.nTrackPos;
    }
    int32_t position = scrollPositionFor(LOWORD(wp), scroll, max, vs->zoomIndex, vs->zoomScale, thumb);
    if (position == scroll) return;
    int32_t d = scroll - position;
    scroll = position;
    ScrollWindowEx(pane, bar == SB_HORZ ? d : 0, bar == SB_VERT ? d : 0, nullptr, nullptr, nullptr, nullptr,
                   SW_INVALIDATE);
    UpdateWindow(pane);
    setBarPosition(pane, bar, position);
    UpdateReadout(pane, nullptr);  // another pixel is under a still pointer
}

static int32_t clampScroll(int32_t position, int32_t max)
{
    if (position <= 0) return 0;
    return position > max ? max : position;
}

static void DragScroll(HWND pane, POINT move)
{
    ViewState* vs = stateOf(pane);
    if (!vs || (vs->maxScrollX == 0 && vs->maxScrollY == 0)) return;
    int32_t dx = move.x - vs->mouseX, dy = move.y - vs->mouseY;
    if (dx == 0 && dy == 0) return;
    int32_t nx = snapToImagePixel(vs->scrollX - dx, vs->zoomScale);
    int32_t ny = snapToImagePixel(vs->scrollY - dy, vs->zoomScale);
    nx = clampScroll(nx, vs->maxScrollX);
    ny = clampScroll(ny, vs->maxScrollY);
    if (nx == vs->scrollX && ny == vs->scrollY) return;
    int32_t ddx = vs->scrollX - nx, ddy = vs->scrollY - ny;
    vs->scrollX = nx;
    vs->scrollY = ny;
    ScrollWindowEx(pane, ddx, ddy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    UpdateWindow(pane);
    // The mouse point follows what was scrolled, so that what snapping or
    // clamping held back counts towards the next move.
    vs->mouseX = int16_t(vs->mouseX + ddx);
    vs->mouseY = int16_t(vs->mouseY + ddy);
    setBarPosition(pane, SB_HORZ, nx);
    setBarPosition(pane, SB_VERT, ny);
}

// ---- painting --------------------------------------------------------------

static void stretch(HDC dc, const PaintMapping& m, const DisplayBitmap* bitmap, int32_t srcX, int32_t srcY,
                    int32_t srcWidth, int32_t srcHeight, DWORD rop)
{
    StretchDIBits(dc, m.dstX, m.dstY, m.dstWidth, m.dstHeight, srcX, srcY, srcWidth, srcHeight, bitmap->pixels,
                  static_cast<const BITMAPINFO*>(bitmapInfo(bitmap)), DIB_RGB_COLORS, rop);
}

// Below one to one (step > 1) the pixels shown are picked here, one for
// each screen pixel, so that they are the ones the readout names; GDI
// stretches a bitmap whose copy cannot be made.
static void drawBitmap(HDC dc, const PaintMapping& m, int32_t step, const DisplayBitmap* bitmap, DWORD rop)
{
    if (step > 1) {
        int32_t top = bitmap->height - m.srcY - m.srcHeight;
        DisplayBitmap* reduced = reduceBitmap(bitmap, m.srcX, top, step, m.dstWidth, m.dstHeight);
        if (reduced) {
            stretch(dc, m, reduced, 0, 0, m.dstWidth, m.dstHeight, rop);
            freeDisplayBitmap(reduced);
            return;
        }
    }
    stretch(dc, m, bitmap, m.srcX, m.srcY, m.srcWidth, m.srcHeight, rop);
}

static void drawChannel(HDC dc, const PaintMapping& m, int32_t step, const View* view, int channel)
{
    static const COLORREF channelColours[5] = {0, 0, RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    if (channel == CHANNEL_ALPHA) {
        drawBitmap(dc, m, step, view->alpha, SRCCOPY);
    } else if (channel >= CHANNEL_RED && channel <= CHANNEL_BLUE) {
        HBRUSH brush = CreateSolidBrush(channelColours[channel]);
        HGDIOBJ previous = SelectObject(dc, brush);
        drawBitmap(dc, m, step, view->colour, MERGECOPY);
        SelectObject(dc, previous);
        DeleteObject(brush);
    } else {
        drawBitmap(dc, m, step, view->colour, SRCCOPY);
    }
}

// Draws the paint rectangle of the pane into any device context.
void PaintPaneContent(HDC dc, const ViewState* vs, const RECT& paint, HBRUSH background)
{
    PaintMapping m;
    PaneRect p = {paint.left, paint.top, paint.right, paint.bottom};
    if (!vs || !vs->view ||
        !mapPaintRect(p, vs->scrollX, vs->scrollY, vs->zoomIndex, vs->imageWidth, vs->imageHeight, &m)) {
        FillRect(dc, &paint, background);
        return;
    }
    SetStretchBltMode(dc, COLORONCOLOR);
    int32_t step = vs->zoomIndex < ZOOM_ONE ? 65 - vs->zoomIndex : 1;
    drawChannel(dc, m, step, vs->view, vs->channelView);
    if (vs->overlays & OVERLAY_HOT) drawBitmap(dc, m, step, vs->view->hotMask, SRCAND);
    if (vs->overlays & OVERLAY_SAFE) drawBitmap(dc, m, step, vs->view->safeOverlay, SRCINVERT);
    RECT right = {m.dstX + m.dstWidth, paint.top, paint.right, m.dstY + m.dstHeight};
    if (right.left < paint.right) FillRect(dc, &right, background);
    RECT below = {paint.left, m.dstY + m.dstHeight, paint.right, paint.bottom};
    if (below.top < paint.bottom) FillRect(dc, &below, background);
}

static LRESULT OnPaint(HWND pane)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(pane, &ps);
    PaintPaneContent(dc, stateOf(pane), ps.rcPaint,
                     reinterpret_cast<HBRUSH>(GetClassLongPtrA(pane, GCLP_HBRBACKGROUND)));
    EndPaint(pane, &ps);
    return 0;
}

// ---- mouse -----------------------------------------------------------------

static POINT pointOf(LPARAM lp)
{
    return POINT{int16_t(LOWORD(lp)), int16_t(HIWORD(lp))};
}

static LRESULT OnLeftButtonDown(HWND pane, WPARAM wp, LPARAM lp)
{
    ViewState* vs = stateOf(pane);
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
    ViewState* vs = stateOf(pane);
    if (!vs || !vs->dragging) return DefWindowProcA(pane, WM_LBUTTONUP, wp, lp);
    ReleaseCapture();
    vs->dragging = 0;
    SetClassCursor(pane, IDC_CROSS);
    return 0;
}

static LRESULT OnRightButtonDown(HWND pane, WPARAM wp, LPARAM lp)
{
    ViewState* vs = stateOf(pane);
    if (!vs || vs->dragging) return DefWindowProcA(pane, WM_RBUTTONDOWN, wp, lp);
    POINT p = pointOf(lp);
    vs->mouseX = int16_t(p.x);
    vs->mouseY = int16_t(p.y);
    SetZoom(pane, &p, WM_RBUTTONDOWN);
    return 0;
}

static bool g_trackingLeave;

static LRESULT OnMouseMove(HWND pane, WPARAM wp, LPARAM lp)
{
    ViewState* vs = stateOf(pane);
    POINT p = pointOf(lp);
    if (vs && vs->dragging) {
        DragScroll(pane, p);
        return 0;
    }
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
// smooth wheel add up to whole notches.
static LRESULT OnMouseWheel(HWND pane, UINT message, WPARAM wp, LPARAM lp)
{
    static int rest;
    rest += GET_WHEEL_DELTA_WPARAM(wp);
    int notches = rest / WHEEL_DELTA;
    rest -= notches * WHEEL_DELTA;
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

LRESULT CALLBACK ViewPaneProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE: return OnCreate(hwnd, reinterpret_cast<CREATESTRUCTA*>(lp));
    case WM_DESTROY: g_trackingLeave = false; RemovePropA(hwnd, VIEW_STATE_PROPERTY); return 0;
    case WM_SIZE: UpdateScrollBars(hwnd); return 0;
    case WM_PAINT: return OnPaint(hwnd);
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

// Sizes the viewer so the pane shows the whole image, zooming out while the
// image is larger than the work area.
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
    vs->zoomIndex = fitZoomIndex(vs->zoomIndex, vs->imageWidth, vs->imageHeight, fw, fh, ww, wh);
    SetZoom(pane, nullptr, 0);
    int width = fw + scaledWidth(vs), height = fh + scaledHeight(vs);
    PlaceFittedViewer(viewer, width < ww ? width : ww, height < wh ? height : wh);
    UpdateReadout(pane, nullptr);  // the image moved under a still pointer
}
