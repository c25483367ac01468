// The viewer's status bar: image name, zoom, pixel readout and the
// progress meter of the file writers.
#include <windows.h>
#include <commctrl.h>

#include "viewer/progress.h"
#include "viewer/viewer_commands.h"
#include "viewer/viewer_win.h"

enum { PART_NAME = 0, PART_ZOOM = 1, PART_PROGRESS = 4 };

static HWND g_statusBar;

// The meter's one-bit drawing surface, rebuilt at every layout.
static struct {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    RECT rect;  // x, y, and width, height in right, bottom
    ProgressMeter meter;
} g_progress;

HWND CreateStatusBar(HWND viewer)
{
    g_statusBar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBARS_SIZEGRIP, "Ready", viewer,
                                      ID_STATUS_BAR);
    return g_statusBar;
}

int StatusBarHeight()
{
    RECT r;
    if (!g_statusBar || !GetWindowRect(g_statusBar, &r)) return 0;
    return r.bottom - r.top;
}

void ReleaseProgressSurface()
{
    if (g_progress.dc) {
        SelectObject(g_progress.dc, g_progress.previous);
        DeleteDC(g_progress.dc);
    }
    if (g_progress.bitmap) DeleteObject(g_progress.bitmap);
    g_progress.dc = nullptr;
    g_progress.bitmap = nullptr;
    g_progress.previous = nullptr;
}

static void buildProgressSurface()
{
    ReleaseProgressSurface();
    RECT part;
    if (!SendMessageA(g_statusBar, SB_GETRECT, PART_PROGRESS, reinterpret_cast<LPARAM>(&part))) return;
    g_progress.rect = {part.left + 2, part.top + 3, part.right - part.left - 4, part.bottom - part.top - 6};
    if (g_progress.rect.right <= 0 || g_progress.rect.bottom <= 0) return;
    HDC screen = GetDC(g_statusBar);
    if (!screen) return;
    g_progress.dc = CreateCompatibleDC(screen);
    ReleaseDC(g_statusBar, screen);
    if (!g_progress.dc) return;
    // Compatible with the memory DC, the bitmap is one bit deep: black
    // becomes the text colour when copied to the status bar.
    g_progress.bitmap = CreateCompatibleBitmap(g_progress.dc, g_progress.rect.right, g_progress.rect.bottom);
    if (g_progress.bitmap) g_progress.previous = SelectObject(g_progress.dc, g_progress.bitmap);
}

int LayoutStatusBar(int clientWidth, int clientHeight)
{
    if (!g_statusBar) return 0;
    int h = StatusBarHeight();
    MoveWindow(g_statusBar, 0, clientHeight - h, clientWidth, h, TRUE);
    int32_t edges[5];
    statusPartEdges(clientWidth, edges);
    INT parts[5];
    for (int i = 0; i < 5; i++) parts[i] = edges[i];
    SendMessageA(g_statusBar, SB_SETPARTS, 5, reinterpret_cast<LPARAM>(parts));
    buildProgressSurface();
    return h;
}

void SetStatusText(int part, const char* text)
{
    if (g_statusBar) SendMessageA(g_statusBar, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text));
}

void UpdateStatusBar()
{
    if (g_statusBar) UpdateWindow(g_statusBar);
}

void SetStatusName(const char* text)
{
    SetStatusText(PART_NAME, text ? text : "");
}

void SetStatusZoom(int zoomIndex)
{
    char text[16];
    formatZoom(zoomIndex, text, sizeof text);
    SetStatusText(PART_ZOOM, text);
    if (g_statusBar) UpdateWindow(g_statusBar);
}

static void drawMeter()
{
    if (!g_statusBar || !g_progress.dc || !g_progress.bitmap) return;
    HDC dc = GetDC(g_statusBar);
    if (!dc) return;
    SetTextColor(dc, RGB(128, 0, 0));
    const RECT& r = g_progress.rect;
    PatBlt(g_progress.dc, 0, 0, r.right, r.bottom, WHITENESS);
    PatBlt(g_progress.dc, 0, 0, progressFilledWidth(&g_progress.meter, r.right), r.bottom, DSTINVERT);
    BitBlt(dc, r.left, r.top, r.right, r.bottom, g_progress.dc, 0, 0, SRCCOPY);
    ReleaseDC(g_statusBar, dc);
}

void ProgressStep(int n)
{
    switch (progressStep(&g_progress.meter, n, GetTickCount())) {
    case PROGRESS_DRAW:
        drawMeter();
        break;
    case PROGRESS_CLEAR:
        SetStatusText(PART_PROGRESS, " ");
        if (g_statusBar) UpdateWindow(g_statusBar);
        break;
    case PROGRESS_NONE:
        break;
    }
}
