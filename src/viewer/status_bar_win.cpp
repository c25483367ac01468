// The viewer's status bar: image name, zoom, pixel readout and the
// progress meter of the file writers.
#include <stdio.h>
#include <windows.h>
#include <commctrl.h>

#include "viewer/progress.h"
#include "viewer/readout_format.h"
#include "viewer/status_layout.h"
#include "viewer/viewer_commands.h"
#include "viewer/viewer_win.h"
#include "viewer/zoom.h"

enum { PART_NAME = 0, PART_ZOOM = 1, PART_PROGRESS = 4 };
enum { PROGRESS_WIDTH = 72, GRIP_WIDTH = 16, NAME_SIZE = 260 };

static HWND g_statusBar;
static HFONT g_font;  // the status bar's, set on it so that it is the one measured
static StatusWidths g_widths;
static char g_name[NAME_SIZE];  // the whole name; the part may show it cut
static int g_reference = -1;    // the reference slot the name part names
static int g_clientWidth;       // of the viewer, at the last layout
static int32_t g_compareWidths[2];  // the comparison's readout as display bytes, as float samples
static const char REFERENCE_FORMAT[] = " | ref: slot %d";  // after the name

// The meter's one-bit drawing surface, rebuilt at every layout.
static struct {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    RECT rect;  // x, y, and width, height in right, bottom
    ProgressMeter meter;
} g_progress;

static int32_t textWidth(HDC dc, const char* text)
{
    SIZE size;
    return GetTextExtentPoint32A(dc, text, lstrlenA(text), &size) ? size.cx : 0;
}

// The widest of some texts in the font selected into dc.
static int32_t widestText(HDC dc, const char* const* texts, size_t count)
{
    int32_t widest = 0;
    for (size_t i = 0; i < count; i++)
        if (textWidth(dc, texts[i]) > widest) widest = textWidth(dc, texts[i]);
    return widest;
}

static int32_t widestZoomText(HDC dc)
{
    int32_t widest = 0;
    for (int z = ZOOM_MIN; z <= ZOOM_MAX; z++) {
        char text[16];
        formatZoom(z, text, sizeof text);
        if (textWidth(dc, text) > widest) widest = textWidth(dc, text);
    }
    return widest;
}

// Part widths from their longest texts in the status bar's font: every
// zoom text, coordinates of five digits, and three values in the longest
// forms the readout has, integer or floating-point.
static void MeasureParts()
{
    static const char* const coordinates[] = {"00000, 00000", "44444, 44444", "88888, 88888"};
    static const char* const values[] = {"255, 255, 255", "-99.999, -99.999, -99.999", "-9999.9, -9999.9, -9999.9",
                                         "-999999, -999999, -999999", "-9.99e9, -9.99e9, -9.99e9",
                                         "-9.9e38, -9.9e38, -9.9e38"};
    static const char* const name[] = {"Untitled000"};
    static const char* const compared[2][2] = {
        {"255, 255, 255 | ref 255, 255, 255 | diff 255, 255, 255"},
        {"-9.9e38, -9.9e38, -9.9e38 | ref -9.9e38, -9.9e38, -9.9e38 | diff -9.9e38, -9.9e38, -9.9e38",
         "-99.999, -99.999, -99.999 | ref -99.999, -99.999, -99.999 | diff -99.999, -99.999, -99.999"}};
    HDC dc = GetDC(g_statusBar);
    if (!dc) return;
    HGDIOBJ previous = SelectObject(dc, g_font ? g_font : GetStockObject(DEFAULT_GUI_FONT));
    // The borders of a part and the room the status bar leaves beside its text.
    int32_t frame = 4 * GetSystemMetrics(SM_CXEDGE) + 6;
    g_widths.zoom = widestZoomText(dc) + frame;
    g_widths.coordinates = widestText(dc, coordinates, 3) + frame;
    g_widths.values = widestText(dc, values, sizeof values / sizeof values[0]) + frame;
    g_widths.minName = widestText(dc, name, 1) + frame;
    static const size_t comparedForms[2] = {1, 2};
    for (int form = 0; form < 2; form++)
        g_compareWidths[form] = widestText(dc, compared[form], comparedForms[form]) + frame;
    g_widths.compareValues = g_compareWidths[pixelDisplayType() != 0];
    char reference[32];
    snprintf(reference, sizeof reference, REFERENCE_FORMAT, 10);  // the widest slot number
    g_widths.reference = textWidth(dc, reference);
    g_widths.progress = PROGRESS_WIDTH;
    g_widths.grip = GRIP_WIDTH;
    SelectObject(dc, previous);
    ReleaseDC(g_statusBar, dc);
}

HWND CreateStatusBar(HWND viewer)
{
    g_statusBar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBARS_SIZEGRIP, "Ready", viewer,
                                      ID_STATUS_BAR);
    lstrcpynA(g_name, "Ready", sizeof g_name);
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!g_font && SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        g_font = CreateFontIndirectA(&metrics.lfStatusFont);
    if (g_statusBar && g_font) SendMessageA(g_statusBar, WM_SETFONT, reinterpret_cast<WPARAM>(g_font), FALSE);
    if (g_statusBar) MeasureParts();
    return g_statusBar;
}

int StatusBarMinimumWidth()
{
    return statusMinimumWidth(g_widths, g_reference >= 0);
}

int StatusBarHeight()
{
    RECT r;
    if (!g_statusBar || !GetWindowRect(g_statusBar, &r)) return 0;
    return r.bottom - r.top;
}

static void ReleaseProgressSurface()
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

// Called as the viewer is destroyed, with the status bar.
void ReleaseStatusBar()
{
    ReleaseProgressSurface();
    g_statusBar = nullptr;
    g_reference = -1;
    if (g_font) DeleteObject(g_font);
    g_font = nullptr;
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

static void ShowName();

static void SetParts()
{
    int32_t edges[STATUS_PARTS];
    statusPartEdges(g_clientWidth, g_widths, g_reference >= 0, edges);
    INT parts[STATUS_PARTS];
    for (int i = 0; i < STATUS_PARTS; i++) parts[i] = edges[i];
    SendMessageA(g_statusBar, SB_SETPARTS, STATUS_PARTS, reinterpret_cast<LPARAM>(parts));
    ShowName();
    buildProgressSurface();
}

int LayoutStatusBar(int clientWidth, int clientHeight)
{
    if (!g_statusBar) return 0;
    int h = StatusBarHeight();
    MoveWindow(g_statusBar, 0, clientHeight - h, clientWidth, h, TRUE);
    g_clientWidth = clientWidth;
    SetParts();
    return h;
}

void SetStatusReadoutForm(int floats)
{
    g_widths.compareValues = g_compareWidths[floats != 0];
    if (g_statusBar) SetParts();
}

void SetStatusReference(int slot)
{
    if (slot == g_reference) return;
    g_reference = slot;
    if (g_statusBar) SetParts();  // the values part widens while comparing
}

void SetStatusText(int part, const char* text)
{
    if (g_statusBar) SendMessageA(g_statusBar, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text));
}

void UpdateStatusBar()
{
    if (g_statusBar) UpdateWindow(g_statusBar);
}

// The name in its part, cut with an ellipsis when the part is too narrow.
// Measured on a memory device context, which gives the window's extents at
// the same resolution without asking for the window's own (a new name
// comes with every frame).
static void ShowName()
{
    RECT part;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return;
    HGDIOBJ previous = SelectObject(dc, g_font ? g_font : GetStockObject(DEFAULT_GUI_FONT));
    char suffix[40] = "";
    if (g_reference >= 0) snprintf(suffix, sizeof suffix, REFERENCE_FORMAT, g_reference + 1);
    char shown[NAME_SIZE + 4 + sizeof suffix];
    lstrcpynA(shown, g_name, NAME_SIZE);
    int length = lstrlenA(g_name);
    INT prefix[NAME_SIZE];
    SIZE size, dots, after = {0, 0};
    if (SendMessageA(g_statusBar, SB_GETRECT, PART_NAME, reinterpret_cast<LPARAM>(&part)) && length > 0 &&
        GetTextExtentExPointA(dc, g_name, length, 0, nullptr, prefix, &size) &&
        GetTextExtentPoint32A(dc, "...", 3, &dots) &&
        (!suffix[0] || GetTextExtentPoint32A(dc, suffix, lstrlenA(suffix), &after))) {
        int32_t widths[NAME_SIZE];
        for (int i = 0; i < length; i++) widths[i] = prefix[i];
        // The reference stays in sight; the name is what gets cut.
        int32_t room = part.right - part.left - (2 * GetSystemMetrics(SM_CXEDGE) + 6) - after.cx;
        size_t kept = charactersBeforeEllipsis(widths, size_t(length), dots.cx, room);
        if (kept < size_t(length)) lstrcpyA(shown + kept, "...");
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    lstrcatA(shown, suffix);
    SetStatusText(PART_NAME, shown);
}

void SetStatusName(const char* text)
{
    lstrcpynA(g_name, text ? text : "", sizeof g_name);
    if (g_statusBar) ShowName();
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
