// The pixel readout: what the pane reports to the status bar about the
// pixel under the pointer.
#include <stdio.h>

#include "image/slots.h"
#include "viewer/pane_geometry.h"
#include "viewer/pane_win.h"
#include "viewer/readout_format.h"
#include "viewer/viewer_win.h"

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
    char coordinates[32], values[COMPARE_VALUES_SIZE];
    snprintf(coordinates, sizeof coordinates, "%d, %d", x, y);
    formatCompareValues(view, referenceView(), x, y, channel, values, sizeof values);
    SetStatusText(2, coordinates);
    SetStatusText(3, values);
    UpdateStatusBar();
}

// A given point, or the cursor when it is over the client area.
int ClientPointToImage(HWND pane, POINT* point, int given)
{
    ViewState* vs = paneState(pane);
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
    ViewState* vs = paneState(pane);
    POINT p = point ? *point : POINT{0, 0};
    if (vs && ClientPointToImage(pane, &p, point != nullptr)) {
        int32_t x = p.x, y = p.y;
        ShownGroupPixel(vs, &x, &y);
        ShowPixelReadout(vs->view, x, y, vs->channelView);
    } else {
        ShowPixelReadout(nullptr, -1, 0, 0);
    }
}
