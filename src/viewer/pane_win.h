// What the image pane's files share: the View state the pane is attached
// to, and the handlers its window procedure calls.
#pragma once

#include <windows.h>

#include "image/view_state.h"

ViewState* paneState(HWND pane);
int32_t scaledWidth(const ViewState* vs);
int32_t scaledHeight(const ViewState* vs);

// pane_zoom_win.cpp
void UpdateScrollBars(HWND pane);
void ScrollPane(HWND pane, int bar, WPARAM wp);
void DragScroll(HWND pane, POINT move);
void WheelZoom(HWND pane, POINT at, int direction);
POINT paneCentre(HWND pane);

// pane_paint_win.cpp
LRESULT PaintPane(HWND pane);
void ReleasePanePaint();  // the memory kept between paints
// Zoomed out, the pixel of the group whose top-left pixel is (*x, *y) that
// the screen shows for it: the one the readout names.
void ShownGroupPixel(const ViewState* vs, int32_t* x, int32_t* y);
