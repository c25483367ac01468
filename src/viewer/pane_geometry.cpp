#include "viewer/pane_geometry.h"

#include "viewer/zoom.h"

enum { LINE_STEP = 4, LINES_PER_PAGE = 16 };

int32_t snapToImagePixel(int32_t position, float scale)
{
    int32_t step = int32_t(scale);
    if (step <= 1) return position;
    return position - position % step;
}

// Rounds toward minus infinity, where C's division rounds toward zero.
static int64_t floorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// In whole numbers, as painting maps them: a division by a float scale such
// as 1/3 lands just below the pixel at every multiple.
static int64_t screenToImage(int64_t position, int zoomIndex)
{
    if (zoomIndex >= ZOOM_ONE) return floorDiv(position, zoomIndex - 63);
    return position * (65 - zoomIndex);
}

int64_t imagePixelAt(int32_t scroll, int32_t at, int zoomIndex)
{
    return screenToImage(int64_t(scroll) + at, zoomIndex);
}

int64_t firstColumnShowing(int64_t pixel, int32_t scroll, int zoomIndex)
{
    if (zoomIndex >= ZOOM_ONE) return pixel * (zoomIndex - 63) - scroll;
    const int64_t d = 65 - zoomIndex;
    return -floorDiv(-pixel, d) - scroll;  // pixel / d rounded up
}

int32_t scrollToKeep(int64_t pixel, int32_t at, int zoomIndex, int32_t clientSize, int32_t scaledSize)
{
    int64_t s;
    int64_t m = zoomIndex >= ZOOM_ONE ? zoomIndex - 63 : 1;
    if (zoomIndex >= ZOOM_ONE)
        s = (pixel - floorDiv(at, m)) * m;
    else
        s = floorDiv(pixel, 65 - zoomIndex) - at;
    if (s > int64_t(scaledSize) - clientSize) s = int64_t(scaledSize) - clientSize;
    if (s <= 0) return 0;
    if (s > INT32_MAX) s = INT32_MAX;
    return int32_t(s - s % m);
}

int32_t scrollPositionFor(int code, int32_t current, int32_t maxScroll, int zoomIndex, float scale, int32_t thumb)
{
    int64_t line = zoomIndex > ZOOM_ONE ? int64_t(LINE_STEP) * (zoomIndex - 63) : int64_t(LINE_STEP);
    int64_t p = current;
    switch (code) {
    case 0: p -= line; break;                   // SB_LINEUP
    case 1: p += line; break;                   // SB_LINEDOWN
    case 2: p -= LINES_PER_PAGE * line; break;  // SB_PAGEUP
    case 3: p += LINES_PER_PAGE * line; break;  // SB_PAGEDOWN
    case 4:                                     // SB_THUMBPOSITION
    case 5: p = thumb; break;                   // SB_THUMBTRACK
    case 6: p = 0; break;                       // SB_TOP
    case 7: p = maxScroll; break;               // SB_BOTTOM
    default: return current;
    }
    if (p > INT32_MAX) p = INT32_MAX;
    if (p < INT32_MIN) p = INT32_MIN;
    int32_t position = snapToImagePixel(int32_t(p), scale);
    if (position <= 0) position = 0;
    if (position > maxScroll) position = maxScroll;
    return position;
}

ScrollRanges scrollRangesFor(int32_t sw, int32_t sh, int32_t width, int32_t height, int32_t bar)
{
    ScrollRanges r = {width, height, 0, 0, false};
    if (width >= sw && height >= sh) {
        r.none = true;
        return r;
    }
    if (width < sw && height < sh) {
        r.viewWidth = width - bar;
        r.viewHeight = height - bar;
    } else if (width < sw) {
        r.viewHeight = height - bar;
        if (r.viewHeight < sh) r.viewWidth = width - bar;
    } else {
        r.viewWidth = width - bar;
        if (r.viewWidth < sw) r.viewHeight = height - bar;
    }
    r.maxX = sw - r.viewWidth > 0 ? sw - r.viewWidth : 0;
    r.maxY = sh - r.viewHeight > 0 ? sh - r.viewHeight : 0;
    return r;
}

// One axis of the mapping: image pixels first .. end-1 under screen pixels
// from .. to-1 (scrolled), and where they land.
struct AxisMapping {
    int64_t first, end;
    int64_t dst, dstSize;
};

static bool mapAxis(int64_t from, int64_t to, int zoomIndex, int32_t imageSize, AxisMapping* a)
{
    if (zoomIndex >= ZOOM_ONE) {
        int64_t m = zoomIndex - 63;  // screen pixels per image pixel
        a->first = from / m;
        a->end = (to + m - 1) / m;
        if (a->first >= imageSize) return false;
        if (a->end > imageSize) a->end = imageSize;
        a->dst = a->first * m;
        a->dstSize = (a->end - a->first) * m;
    } else {
        // Screen pixel p shows image pixel p × d. A last part of fewer than d
        // image pixels is not shown: the scaled size truncates, and a column
        // drawn for it would have no readout and could not be scrolled to.
        int64_t d = 65 - zoomIndex;  // image pixels per screen pixel
        int64_t last = imageSize / d;
        if (from >= last) return false;
        a->first = from * d;
        a->dst = from;
        a->dstSize = (to < last ? to : last) - from;
        a->end = a->first + a->dstSize * d;
    }
    return true;
}

int mapPaintRect(const PaneRect& paint, int32_t scrollX, int32_t scrollY, int zoomIndex, int32_t imageWidth,
                 int32_t imageHeight, PaintMapping* out)
{
    AxisMapping x, y;
    if (!mapAxis(int64_t(scrollX) + paint.left, int64_t(scrollX) + paint.right, zoomIndex, imageWidth, &x) ||
        !mapAxis(int64_t(scrollY) + paint.top, int64_t(scrollY) + paint.bottom, zoomIndex, imageHeight, &y))
        return 0;
    out->srcX = int32_t(x.first);
    out->srcWidth = int32_t(x.end - x.first);
    out->srcY = int32_t(imageHeight - y.end);
    out->srcHeight = int32_t(y.end - y.first);
    out->dstX = int32_t(x.dst - scrollX);
    out->dstWidth = int32_t(x.dstSize);
    out->dstY = int32_t(y.dst - scrollY);
    out->dstHeight = int32_t(y.dstSize);
    return 1;
}

int clientToImage(int32_t px, int32_t py, int32_t scrollX, int32_t scrollY, int zoomIndex, int32_t scaledWidth,
                  int32_t scaledHeight, int32_t* ix, int32_t* iy)
{
    int64_t x = int64_t(scrollX) + px, y = int64_t(scrollY) + py;
    if (px < 0 || x >= scaledWidth || py < 0 || y >= scaledHeight) return 0;
    *ix = int32_t(screenToImage(x, zoomIndex));
    *iy = int32_t(screenToImage(y, zoomIndex));
    return 1;
}

int fitZoomIndex(int zoomIndex, int32_t imageWidth, int32_t imageHeight, int32_t frameWidth, int32_t frameHeight,
                 int32_t workWidth, int32_t workHeight)
{
    float scale = zoomScaleOf(zoomIndex);
    double rx = (imageWidth * double(scale) + frameWidth) / workWidth;
    double ry = (imageHeight * double(scale) + frameHeight) / workHeight;
    if (rx <= 1.0 && ry <= 1.0) return zoomIndex;
    bool byWidth = rx > ry;
    do {
        zoomIndex--;
        if (zoomIndex <= ZOOM_MIN) break;
        scale = zoomScaleOf(zoomIndex);
    } while (byWidth ? imageWidth * double(scale) + frameWidth >= workWidth
                     : imageHeight * double(scale) + frameHeight >= workHeight);
    return zoomIndex < ZOOM_MIN ? ZOOM_MIN : zoomIndex;
}

// The start of an extent of size within from .. to: at start while it fits,
// else moved just far enough; at from when it is larger.
static int32_t keepWithin(int32_t start, int32_t size, int32_t from, int32_t to)
{
    if (start > to - size) start = to - size;
    return start < from ? from : start;
}

WindowPosition placeFittedWindow(int32_t x, int32_t y, int32_t width, int32_t height, const PaneRect& work,
                                 bool userPlaced)
{
    if (userPlaced)
        return {keepWithin(x, width, work.left, work.right), keepWithin(y, height, work.top, work.bottom)};
    WindowPosition p = {work.left + (work.right - work.left - width) / 2, work.top + (work.bottom - work.top - height) / 2};
    if (p.x < 0) p.x = 0;
    if (p.y < 0) p.y = 0;
    return p;
}
