// Class cursors of the viewer and its pane: they change for every window of
// the class, and at once when the pointer is over the window.
#include "viewer/viewer_commands.h"
#include "viewer/viewer_win.h"

void SetClassCursor(HWND window, LPCSTR cursorId)
{
    HCURSOR cursor = LoadCursorA(nullptr, cursorId);
    SetClassLongPtrA(window, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
    POINT p;
    RECT client;
    if (!GetCursorPos(&p) || !ScreenToClient(window, &p) || !GetClientRect(window, &client)) return;
    if (p.x >= 0 && p.y >= 0 && p.x < client.right && p.y < client.bottom) SetCursor(cursor);
}

void SetBusyCursor(HWND viewer, int busy)
{
    HWND pane = GetDlgItem(viewer, ID_PANE);
    SetClassCursor(viewer, busy ? IDC_WAIT : IDC_ARROW);
    if (pane) SetClassCursor(pane, busy ? IDC_WAIT : IDC_CROSS);
}
