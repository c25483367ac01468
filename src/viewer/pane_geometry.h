// The image pane's arithmetic: where the scaled image lies under the pane,
// how far it may scroll, and which part of the bitmaps a paint rectangle
// shows. Pure functions; scroll offsets are 32-bit, since a large image at
// a high zoom is far wider than 32767 displayed pixels.
#pragma once

#include <stdint.h>

struct PaneRect {
    int32_t left, top, right, bottom;
};

// The scroll offset that brings image position imagePos (in image pixels)
// to the middle of a client extent, clamped to the scaled extent and, when
// magnified, snapped to a whole image pixel.
int32_t scrollToCentre(float scale, float imagePos, int32_t clientSize, int32_t scaledSize, int zoomIndex);

// Snaps a position down to a multiple of the magnification (scale > 1);
// the remainder keeps the sign of the position, as C's % does.
int32_t snapToImagePixel(int32_t position, float scale);

// The new scroll position for a scroll bar code (SB_LINEUP .. SB_BOTTOM),
// snapped and clamped to 0 .. maxScroll. thumb is the track position.
int32_t scrollPositionFor(int code, int32_t current, int32_t maxScroll, int zoomIndex, float scale, int32_t thumb);

// Scroll ranges for a scaled image in a pane whose window (with bars) is
// width × height; bar is the scroll bar's thickness. viewWidth and
// viewHeight receive the size left for the picture.
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
