// Each box owns its two bitmaps, reached from its button's user data, so
// that two boxes open at once draw and free their own.
#include "dialogs/about_box_win.h"

#include <stdlib.h>

#include "dialogs/about_layout.h"
#include "dialogs/placement.h"

enum { ID_PICTURE_BUTTON = 1, ABOUT_TIMER = 1 };
enum { PICTURE_WIDTH = 160, PANEL_WIDTH = 184, CLIENT_WIDTH = 344, CLIENT_HEIGHT = 144 };

struct AboutBitmaps {
    HBITMAP picture;
    HBITMAP panel;
};

static void DrawPanelText(HDC dc, const char* text, int x, int y, int height)
{
    LOGFONTA font = {};
    font.lfHeight = -height;
    font.lfWeight = FW_BOLD;
    lstrcpynA(font.lfFaceName, "Arial", LF_FACESIZE);
    HFONT handle = CreateFontIndirectA(&font);
    HGDIOBJ previous = SelectObject(dc, handle);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT r = {x, y, x, y};
    int h = DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
    r.bottom = y + h;
    DrawTextA(dc, text, -1, &r, DT_SINGLELINE);
    SelectObject(dc, previous);
    DeleteObject(handle);
}

static HBITMAP MakeAboutTextPanel(HINSTANCE module)
{
    HDC screen = GetDC(GetDesktopWindow());
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP panel = CreateCompatibleBitmap(screen, PANEL_WIDTH, CLIENT_HEIGHT);
    ReleaseDC(GetDesktopWindow(), screen);
    if (!dc || !panel) {
        if (dc) DeleteDC(dc);
        return panel;
    }
    HGDIOBJ previousBitmap = SelectObject(dc, panel);
    HICON icon = LoadIconA(module, "lgicon");  // shared: not destroyed here
    if (icon) DrawIcon(dc, 8, 16, icon);
    char build[64], date[32];
    buildDateText(__DATE__, date, sizeof date);
    wsprintfA(build, " build:  %s ", date);
    DrawPanelText(dc, " V9 Irored Idevori ", 40, 30, 12);
    DrawPanelText(dc, " by the ZR viewer team ", 6, 47, 14);
    DrawPanelText(dc, " version 4.0 ", 9, 100, 12);
    DrawPanelText(dc, build, 8, 118, 12);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HGDIOBJ previousPen = SelectObject(dc, pen);
    MoveToEx(dc, 0, 72, nullptr);
    LineTo(dc, PANEL_WIDTH, 72);
    SelectObject(dc, previousPen);
    DeleteObject(pen);
    SelectObject(dc, previousBitmap);
    DeleteDC(dc);
    return panel;
}

static void PlaceAboutBox(HWND box, HWND button)
{
    RECT window, client, owner, desktop;
    GetWindowRect(box, &window);
    GetClientRect(box, &client);
    int w = (window.right - window.left) + (CLIENT_WIDTH - client.right);
    int h = (window.bottom - window.top) + (CLIENT_HEIGHT - client.bottom);
    HWND parent = GetParent(box);
    if (!parent || !GetWindowRect(parent, &owner)) GetWindowRect(GetDesktopWindow(), &owner);
    GetWindowRect(GetDesktopWindow(), &desktop);
    ScreenPoint at = placeOverOwner({owner.left, owner.top, owner.right, owner.bottom}, w, h,
                                   {desktop.left, desktop.top, desktop.right, desktop.bottom});
    SetWindowPos(box, nullptr, at.x, at.y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(button, nullptr, 0, 0, CLIENT_WIDTH, CLIENT_HEIGHT, SWP_NOZORDER | SWP_NOACTIVATE);
}

static AboutBitmaps* BitmapsOf(HWND box)
{
    return reinterpret_cast<AboutBitmaps*>(GetWindowLongPtrA(GetDlgItem(box, ID_PICTURE_BUTTON), GWLP_USERDATA));
}

static void InitAboutBox(HWND box, UINT duration)
{
    if (duration > 0) SetTimer(box, ABOUT_TIMER, duration, nullptr);
    HWND button = GetDlgItem(box, ID_PICTURE_BUTTON);
    HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(box, GWLP_HINSTANCE));
    AboutBitmaps* bitmaps = static_cast<AboutBitmaps*>(calloc(1, sizeof(AboutBitmaps)));
    if (bitmaps) {
        bitmaps->picture = LoadBitmapA(module, "zrabout1");
        bitmaps->panel = MakeAboutTextPanel(module);
    }
    SetWindowLongPtrA(button, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bitmaps));
    PlaceAboutBox(box, button);
}

static void DrawAboutBox(const DRAWITEMSTRUCT* item)
{
    const AboutBitmaps* bitmaps =
        reinterpret_cast<const AboutBitmaps*>(GetWindowLongPtrA(item->hwndItem, GWLP_USERDATA));
    if (!bitmaps) return;
    HDC dc = CreateCompatibleDC(item->hDC);
    if (!dc) return;
    HGDIOBJ previous = nullptr;
    if (bitmaps->picture) {
        previous = SelectObject(dc, bitmaps->picture);
        BitBlt(item->hDC, 0, 0, PICTURE_WIDTH, CLIENT_HEIGHT, dc, 0, 0, SRCCOPY);
    }
    if (bitmaps->panel) {
        HGDIOBJ before = SelectObject(dc, bitmaps->panel);
        if (!previous) previous = before;
        BitBlt(item->hDC, PICTURE_WIDTH, 0, PANEL_WIDTH, CLIENT_HEIGHT, dc, 0, 0, SRCCOPY);
    }
    if (previous) SelectObject(dc, previous);
    DeleteDC(dc);
}

static void CloseAboutBox(HWND box)
{
    KillTimer(box, ABOUT_TIMER);
    DestroyWindow(box);
}

static void FreeAboutBitmaps(HWND box)
{
    AboutBitmaps* bitmaps = BitmapsOf(box);
    if (!bitmaps) return;
    if (bitmaps->picture) DeleteObject(bitmaps->picture);
    if (bitmaps->panel) DeleteObject(bitmaps->panel);
    SetWindowLongPtrA(GetDlgItem(box, ID_PICTURE_BUTTON), GWLP_USERDATA, 0);
    free(bitmaps);
}

// A click, Enter and Escape close the box; the button's other
// notifications (focus moving to it as another box closes) do not.
static INT_PTR CALLBACK AboutDialogProc(HWND box, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_INITDIALOG: InitAboutBox(box, UINT(lp)); return TRUE;
    case WM_COMMAND:
        if (HIWORD(wp) == BN_CLICKED) CloseAboutBox(box);
        return TRUE;
    case WM_TIMER: CloseAboutBox(box); return TRUE;
    case WM_DRAWITEM: DrawAboutBox(reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); return TRUE;
    case WM_DESTROY: FreeAboutBitmaps(box); return FALSE;
    default: return FALSE;
    }
}

HWND ShowAboutBox(HINSTANCE module, HWND owner, UINT durationMs)
{
    return CreateDialogParamA(module, "zrabout", owner, AboutDialogProc, LPARAM(durationMs));
}
