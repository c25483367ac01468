// Painting the pane: the display bitmaps of the current view at its zoom
// and scroll, with the chosen channel and overlays.
#include "display/reduced_bitmap.h"
#include "image/slots.h"
#include "viewer/compare.h"
#include "viewer/pane_geometry.h"
#include "viewer/pane_win.h"
#include "viewer/viewer_win.h"
#include "viewer/zoom.h"

static void stretch(HDC dc, const PaintMapping& m, const DisplayBitmap* bitmap, int32_t srcX, int32_t srcY,
                    int32_t srcWidth, int32_t srcHeight, DWORD rop)
{
    StretchDIBits(dc, m.dstX, m.dstY, m.dstWidth, m.dstHeight, srcX, srcY, srcWidth, srcHeight, bitmap->pixels,
                  static_cast<const BITMAPINFO*>(bitmapInfo(bitmap)), DIB_RGB_COLORS, rop);
}

// The reduced pictures of the last paint, one of a colour or grey bitmap
// and one of a mask (the hot mask and the safe overlay are drawn one after
// the other): repaints of the same pane reuse their memory.
static DisplayBitmap* g_reducedPicture;
static DisplayBitmap* g_reducedMask;

// Below one to one (step > 1) the pixels shown are picked here, one for
// each group of step × step, by the picture's rule, so that they are the
// ones the readout names; GDI stretches a bitmap whose copy cannot be made.
static void drawBitmap(HDC dc, const PaintMapping& m, int32_t step, const DisplayBitmap* bitmap, DWORD rop,
                       ReduceRule rule = ReduceRule{})
{
    if (step > 1) {
        int32_t top = bitmap->height - m.srcY - m.srcHeight;
        DisplayBitmap** scratch = bitmap->header.biBitCount == 1 ? &g_reducedMask : &g_reducedPicture;
        DisplayBitmap* reduced =
            reduceBitmapInto(scratch, bitmap, m.srcX, top, step, m.dstWidth, m.dstHeight, rule);
        if (reduced) {
            stretch(dc, m, reduced, 0, 0, m.dstWidth, m.dstHeight, rop);
            return;
        }
    }
    stretch(dc, m, bitmap, m.srcX, m.srcY, m.srcWidth, m.srcHeight, rop);
}

void ReleasePanePaint()
{
    freeDisplayBitmap(g_reducedPicture);
    freeDisplayBitmap(g_reducedMask);
    g_reducedPicture = g_reducedMask = nullptr;
}

// The bitmaps a picture is drawn from: a view's, or the difference's, and
// how a group of pixels becomes one when zoomed out. Nothing may hide in
// the difference, so each group shows its largest values there; in the hot
// view a group with a hot pixel shows that pixel.
struct Picture {
    const DisplayBitmap* colour;
    const DisplayBitmap* alpha;
    const DisplayBitmap* hotMask;
    ReduceRule rule;
};

static Picture pictureOf(const View* view, const ViewState* vs)
{
    ReduceRule rule = {false, (vs->overlays & OVERLAY_HOT) ? view->hotMask : nullptr};
    return {view->colour, view->alpha, view->hotMask, rule};
}

// The picture the pane shows at image column x.
static Picture shownPicture(const ViewState* vs, int64_t x)
{
    const DifferenceDisplay* difference = vs->compareMode == COMPARE_DIFFERENCE ? comparedDifference() : nullptr;
    if (difference) return {difference->colour, difference->alpha, difference->hotMask, {true, nullptr}};
    const View* reference = vs->compareMode == COMPARE_WIPE ? referenceView() : nullptr;
    if (reference && x < vs->wipeX) return pictureOf(reference, vs);
    return pictureOf(vs->view, vs);
}

static void drawChannel(HDC dc, const PaintMapping& m, int32_t step, const Picture& picture, int channel)
{
    static const COLORREF channelColours[5] = {0, 0, RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    if (channel == CHANNEL_ALPHA) {
        drawBitmap(dc, m, step, picture.alpha, SRCCOPY, picture.rule);
    } else if (channel >= CHANNEL_RED && channel <= CHANNEL_BLUE) {
        HBRUSH brush = CreateSolidBrush(channelColours[channel]);
        HGDIOBJ previous = SelectObject(dc, brush);
        drawBitmap(dc, m, step, picture.colour, MERGECOPY, picture.rule);
        SelectObject(dc, previous);
        DeleteObject(brush);
    } else {
        drawBitmap(dc, m, step, picture.colour, SRCCOPY, picture.rule);
    }
}

static void drawPicture(HDC dc, const PaintMapping& m, int32_t step, const Picture& picture, const ViewState* vs)
{
    drawChannel(dc, m, step, picture, vs->channelView);
    if (vs->overlays & OVERLAY_HOT) drawBitmap(dc, m, step, picture.hotMask, SRCAND, picture.rule);
}

void ShownGroupPixel(const ViewState* vs, int32_t* x, int32_t* y)
{
    if (!vs || !vs->view || vs->zoomIndex >= ZOOM_ONE) return;
    static const unsigned shownBytes[5] = {7, 0, 4, 2, 1};  // B G R bits of each channel view
    const Picture picture = shownPicture(vs, *x);
    const int channel = vs->channelView >= CHANNEL_RGB && vs->channelView <= CHANNEL_BLUE ? vs->channelView : 0;
    const DisplayBitmap* source = channel == CHANNEL_ALPHA ? picture.alpha : picture.colour;
    groupPixel(source, picture.rule, shownBytes[channel], 65 - vs->zoomIndex, x, y);
}

// The client column where the wipe's current image begins.
static int64_t splitColumn(const ViewState* vs)
{
    return firstColumnShowing(vs->wipeX, vs->scrollX, vs->zoomIndex);
}

// Left of the split, the reference where it has pixels, at the same zoom
// and scroll, with its own hot mask.
static void drawWipe(HDC dc, const ViewState* vs, const RECT& paint, int32_t step)
{
    const View* reference = referenceView();
    int64_t split = splitColumn(vs);
    if (!reference || split <= paint.left) return;
    PaneRect left = {paint.left, paint.top, split < paint.right ? int32_t(split) : paint.right, paint.bottom};
    PaintMapping m;
    if (!mapPaintRect(left, vs->scrollX, vs->scrollY, vs->zoomIndex, reference->image->width,
                      reference->image->height, &m))
        return;
    int saved = SaveDC(dc);
    IntersectClipRect(dc, left.left, left.top, left.right, left.bottom);  // whole pixels may reach past it
    drawPicture(dc, m, step, pictureOf(reference, vs), vs);
    RestoreDC(dc, saved);
}

// The split as a one-pixel inverted line down the picture.
static void drawSplitLine(HDC dc, const ViewState* vs, const RECT& paint, const PaintMapping& m)
{
    int64_t split = splitColumn(vs);
    if (split < paint.left || split >= paint.right || split >= m.dstX + m.dstWidth) return;
    PatBlt(dc, int(split), m.dstY, 1, m.dstHeight, DSTINVERT);
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
    drawPicture(dc, m, step, shownPicture(vs, INT64_MAX), vs);
    const bool wiping = vs->compareMode == COMPARE_WIPE;
    if (wiping) drawWipe(dc, vs, paint, step);
    if (vs->overlays & OVERLAY_SAFE) drawBitmap(dc, m, step, vs->view->safeOverlay, SRCINVERT);
    if (wiping) drawSplitLine(dc, vs, paint, m);
    RECT right = {m.dstX + m.dstWidth, paint.top, paint.right, m.dstY + m.dstHeight};
    if (right.left < paint.right) FillRect(dc, &right, background);
    RECT below = {paint.left, m.dstY + m.dstHeight, paint.right, paint.bottom};
    if (below.top < paint.bottom) FillRect(dc, &below, background);
}

LRESULT PaintPane(HWND pane)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(pane, &ps);
    PaintPaneContent(dc, paneState(pane), ps.rcPaint,
                     reinterpret_cast<HBRUSH>(GetClassLongPtrA(pane, GCLP_HBRBACKGROUND)));
    EndPaint(pane, &ps);
    return 0;
}
