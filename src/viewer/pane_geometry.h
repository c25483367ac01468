// The image pane's arithmetic: where the scaled image lies under the pane,
// how far it may scroll, and which part of the bitmaps a paint rectangle
// shows. Pure functions; scroll offsets are 32-bit, since a large image at
// a high zoom is far wider than 32767 displayed pixels.
#pragma once

#include <stdint.h>

struct PaneRect {
    int32_t left, top, right, bottom;
};

// The image pixel (column or row) shown at client position at for a
// scroll offset, as painting maps it; also beyond the image's ends.
int64_t imagePixelAt(int32_t scroll, int32_t at, int zoomIndex);

// The first client position whose image pixel (as imagePixelAt maps it) is
// pixel or beyond: where a split before that pixel falls on the screen.
int64_t firstColumnShowing(int64_t pixel, int32_t scroll, int zoomIndex);

// The scroll offset that puts image pixel pixel under client position at:
// magnified, the pixel covers that screen pixel; zoomed out, the screen
// pixel there covers it. Clamped to the scaled extent and, magnified,
// snapped to a whole image pixel; where clamping stops it, the pixel lands
// as near to at as the image allows.
int32_t scrollToKeep(int64_t pixel, int32_t at, int zoomIndex, int32_t clientSize, int32_t scaledSize);

// Snaps a position down to a multiple of the magnification (scale > 1);
// the remainder keeps the sign of the position, as C's % does.
int32_t snapToImagePixel(int32_t position, float scale);

// The new scroll position for a scroll bar code (SB_LINEUP .. SB_BOTTOM),
// snapped and clamped to 0 .. maxScroll. thumb is the track position.
int32_t scrollPositionFor(int code, int32_t current, int32_t maxScroll, int zoomIndex, float scale, int32_t thumb);

// Scroll ranges for a scaled image in a pane whose window (with bars) is
// width × height; bar is the scroll bar's thickness. viewWidth and
// viewHeight receive the size left for the picture (all of it when no bar
// is needed).
struct ScrollRanges {
    int32_t viewWidth, viewHeight;
    int32_t maxX, maxY;
    bool none;  // the image fits: no bars, no scrolling
};
ScrollRanges scrollRangesFor(int32_t scaledWidth, int32_t scaledHeight, int32_t width, int32_t height, int32_t bar);

// What a paint rectangle shows: the source rectangle in the bitmaps (x from
// the left, y from the bottom row, as StretchDIBits counts it) and the
// destination rectangle in the pane. Magnified, the rectangle is widened to
// whole image pixels, whose screen position follows from the scroll alone,
// so that a strip repainted after a scroll meets its neighbours without a
// seam. 0 when the rectangle lies wholly beside or below the image.
struct PaintMapping {
    int32_t srcX, srcY, srcWidth, srcHeight;
    int32_t dstX, dstY, dstWidth, dstHeight;
};
int mapPaintRect(const PaneRect& paint, int32_t scrollX, int32_t scrollY, int zoomIndex, int32_t imageWidth,
                 int32_t imageHeight, PaintMapping* out);

// The image pixel under a client point; 0 when the point is beside the
// scaled image (scaledWidth × scaledHeight, counted from the image's
// corner, not the pane's).
int clientToImage(int32_t px, int32_t py, int32_t scrollX, int32_t scrollY, int zoomIndex, int32_t scaledWidth,
                  int32_t scaledHeight, int32_t* ix, int32_t* iy);

// The zoom index at which an image fits a work area: from zoomIndex down,
// while the dimension that overflows more does not fit (frame sizes
// included). An image that fits keeps its zoom.
int fitZoomIndex(int zoomIndex, int32_t imageWidth, int32_t imageHeight, int32_t frameWidth, int32_t frameHeight,
                 int32_t workWidth, int32_t workHeight);

// Where a fitted window of width × height goes in a work area. One the
// user placed, with its corner at (x, y), stays there while it fits, else
// moves just far enough to fit; any other is centred, and a corner that
// would lie off the screen's origin is moved to 0.
struct WindowPosition {
    int32_t x, y;
};
WindowPosition placeFittedWindow(int32_t x, int32_t y, int32_t width, int32_t height, const PaneRect& work,
                                 bool userPlaced);
