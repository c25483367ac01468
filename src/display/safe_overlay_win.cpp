#include "display/safe_overlay_win.h"

#include <stdlib.h>
#include <string.h>

#include "display/levels.h"
#include "display/safe_areas.h"
#include "image/view.h"

enum { CHECKER_SIZE = 8, CHECKER_ROW_BYTES = 4 };

HBRUSH makeCheckerBrush()
{
    // The mask bitmap is made only for its header and two-entry colour table.
    DisplayBitmap* pattern = newMaskBitmap(CHECKER_SIZE, CHECKER_SIZE);
    if (!pattern) return nullptr;
    const size_t infoBytes = sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD);
    uint8_t* packed = static_cast<uint8_t*>(malloc(infoBytes + CHECKER_SIZE * CHECKER_ROW_BYTES));
    HBRUSH brush = nullptr;
    if (packed) {
        memcpy(packed, &pattern->header, sizeof(BITMAPINFOHEADER));
        memcpy(packed + sizeof(BITMAPINFOHEADER), pattern->colours, 2 * sizeof(RGBQUAD));
        for (int row = 0; row < CHECKER_SIZE; row++)
            memset(packed + infoBytes + row * CHECKER_ROW_BYTES, row % 2 ? 0xAA : 0x55, CHECKER_ROW_BYTES);
        brush = CreateDIBPatternBrushPt(packed, DIB_RGB_COLORS);
        free(packed);
    }
    freeDisplayBitmap(pattern);
    return brush;
}

static void drawShape(HDC dc, const SafeShape& s)
{
    if (s.corner > 0)
        RoundRect(dc, s.left, s.top, s.right, s.bottom, s.corner, s.corner);
    else
        Rectangle(dc, s.left, s.top, s.right, s.bottom);
}

// Solid style: everything outside the areas set, the band between action
// and title safe a checkerboard, the insides clear. The fills are drawn
// white and the whole surface inverted.
static void fillSolid(HDC dc, const SafeShapes& shapes, int width, int height)
{
    if (shapes.video) {
        HBRUSH checker = makeCheckerBrush();
        SelectObject(dc, checker ? static_cast<HGDIOBJ>(checker) : GetStockObject(GRAY_BRUSH));
        drawShape(dc, shapes.action);
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
        if (checker) DeleteObject(checker);
        drawShape(dc, shapes.title);
    }
    if (shapes.custom) {
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
        drawShape(dc, shapes.frame);
    }
    PatBlt(dc, 0, 0, width, height, DSTINVERT);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
}

static void drawOutlines(HDC dc, const SafeShapes& shapes)
{
    if (shapes.video) {
        drawShape(dc, shapes.action);
        drawShape(dc, shapes.title);
    }
    if (shapes.custom) drawShape(dc, shapes.frame);
}

static HPEN createOutlinePen()
{
    LOGBRUSH white = {BS_SOLID, RGB(255, 255, 255), 0};
    HPEN pen = ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &white, 0, nullptr);
    return pen ? pen : CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
}

// Drawing the areas through GDI costs several conversions of the frame, so
// a view that kept an overlay of the same parameters keeps it.
void drawSafeOverlay(View* view)
{
    if (safeOverlayIsCurrent(view)) return;
    clearSafeOverlay(view);  // what a failure below leaves
    DisplayBitmap* overlay = view->safeOverlay;
    const int width = overlay->width, height = overlay->height;
    SafeShapes shapes = safeShapes(width, height, view->safe);
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return;
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);  // monochrome, as the memory DC is
    if (!bitmap) {
        DeleteDC(dc);
        return;
    }
    HGDIOBJ previousBitmap = SelectObject(dc, bitmap);
    HPEN pen = createOutlinePen();
    HGDIOBJ previousPen = SelectObject(dc, pen);
    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    SetBkColor(dc, RGB(0, 0, 0));
    PatBlt(dc, 0, 0, width, height, BLACKNESS);
    // With no kind set there is nothing to shade: the solid style's
    // inversion would turn the whole picture over.
    if (view->safe.style == SAFE_SOLID && (shapes.video || shapes.custom)) fillSolid(dc, shapes, width, height);
    drawOutlines(dc, shapes);
    SelectObject(dc, previousBitmap);
    // Also rewrites the overlay's colour table to black, white.
    if (GetDIBits(dc, bitmap, 0, UINT(height), overlay->pixels, reinterpret_cast<BITMAPINFO*>(&overlay->header),
                  DIB_RGB_COLORS) == height)
        markSafeOverlayDrawn(view);
    else
        clearSafeOverlay(view);
    DeleteObject(bitmap);
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    if (pen) DeleteObject(pen);
    DeleteDC(dc);
}

void rebuildViewDisplay(View* view)
{
    rebuildDisplay(view);
    drawSafeOverlay(view);
}

void refreshViewDisplay(View* view, unsigned flags)
{
    refreshDisplay(view, flags);
    if (flags & REFRESH_SAFE) drawSafeOverlay(view);
}
