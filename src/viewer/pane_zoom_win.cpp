// Zooming, scrolling and fitting the pane: the scroll bars, zoom steps by
// click, key and wheel, scrolling by bar, key and drag, and sizing the
// viewer to the image.
#include "image/slots.h"
#include "viewer/pane_geometry.h"
#include "viewer/pane_win.h"
#include "viewer/viewer_win.h"
#include "viewer/zoom.h"

// A bar that already shows these values is left alone: setting it redraws
// it, and a new frame of the same size changes none of them.
static void setBar(HWND pane, int bar, int32_t max, int32_t page, int32_t position)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (GetScrollInfo(pane, bar, &si) && si.nMin == 0 && si.nMax == max && si.nPage == UINT(page) &&
        si.nPos == position)
        return;
    si.nMin = 0;
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

// The scroll ranges of the pane at a zoom: its window, bars included,
// against the image scaled to that zoom.
static ScrollRanges scrollRangesAt(HWND pane, const ViewState* vs, int zoomIndex)
{
    RECT window;
    GetWindowRect(pane, &window);
    return scrollRangesFor(scaledSize(vs->imageWidth, zoomIndex), scaledSize(vs->imageHeight, zoomIndex),
                           window.right - window.left, window.bottom - window.top, GetSystemMetrics(SM_CXVSCROLL));
}

void UpdateScrollBars(HWND pane)
{
    ViewState* vs = paneState(pane);
    if (!vs) return;
    ScrollRanges r = scrollRangesAt(pane, vs, vs->zoomIndex);
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

void RepaintPane(HWND pane)
{
    ViewState* vs = paneState(pane);
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
    ScrollRanges r = scrollRangesAt(pane, vs, zoomIndex);  // the whole window when no bar is needed
    return SIZE{r.viewWidth, r.viewHeight};
}

POINT paneCentre(HWND pane)
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
    ViewState* vs = paneState(pane);
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
void WheelZoom(HWND pane, POINT at, int direction)
{
    ViewState* vs = paneState(pane);
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

void ScrollPane(HWND pane, int bar, WPARAM wp)
{
    ViewState* vs = paneState(pane);
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

void DragScroll(HWND pane, POINT move)
{
    ViewState* vs = paneState(pane);
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

// Sizes the viewer so the pane shows the whole image, zooming out while the
// image is larger than the work area.
void FitToScreen(HWND pane)
{
    ViewState* vs = paneState(pane);
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
