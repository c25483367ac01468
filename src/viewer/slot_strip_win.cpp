// The strip of ten slot buttons under the image, each with a tooltip that
// tells what its slot holds.
#include <stdio.h>
#include <string.h>
#include <windows.h>
#include <commctrl.h>

#include "image/slots.h"
#include "viewer/viewer_commands.h"
#include "viewer/viewer_win.h"

enum { SLOT_BUTTON_WIDTH = 21, SLOT_BUTTON_HEIGHT = 16, TIP_SIZE = 512 };

static HWND g_tips;

static HWND slotButton(HWND viewer, int slot)
{
    return GetDlgItem(viewer, CMD_SLOT_FIRST + slot);
}

// Two tools a slot: the button itself while enabled, and its rectangle on
// the viewer, which gets the mouse while the button is disabled.
static void addSlotTools(HWND viewer, HWND button, int slot)
{
    TTTOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = viewer;
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(g_tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    tool.uFlags = TTF_SUBCLASS;
    tool.uId = UINT_PTR(slot);
    SendMessageA(g_tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CreateSlotStrip(HWND viewer)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(viewer, GWLP_HINSTANCE));
    g_tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, viewer, nullptr, instance, nullptr);
    for (int i = 0; i < SLOT_COUNT; i++) {
        HWND button = CreateWindowExA(0, "button", "", WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON, 0, 0,
                                      SLOT_BUTTON_WIDTH, SLOT_BUTTON_HEIGHT, viewer,
                                      reinterpret_cast<HMENU>(INT_PTR(CMD_SLOT_FIRST + i)), instance, nullptr);
        if (g_tips && button) addSlotTools(viewer, button, i);
    }
    CheckDlgButton(viewer, CMD_SLOT_FIRST, BST_CHECKED);
}

// Centred in the viewer's width, with their tops at y.
void LayoutSlotStrip(HWND viewer, int width, int y)
{
    int x = (width - SLOT_COUNT * SLOT_BUTTON_WIDTH) / 2;
    for (int i = 0; i < SLOT_COUNT; i++) {
        RECT r = {x + SLOT_BUTTON_WIDTH * i, y, x + SLOT_BUTTON_WIDTH * (i + 1), y + SLOT_BUTTON_HEIGHT};
        MoveWindow(slotButton(viewer, i), r.left, r.top, SLOT_BUTTON_WIDTH, SLOT_BUTTON_HEIGHT, TRUE);
        TTTOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = viewer;
        tool.uId = UINT_PTR(i);
        tool.rect = r;
        if (g_tips) SendMessageA(g_tips, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// The reference's button is drawn as a push button lettered "R", so it reads
// at a glance among the round ones; pressed in when it is also current.
static void MarkReference(HWND button, bool reference)
{
    LONG_PTR style = GetWindowLongPtrA(button, GWL_STYLE);
    if (((style & BS_PUSHLIKE) != 0) == reference) return;
    SetWindowLongPtrA(button, GWL_STYLE, reference ? style | BS_PUSHLIKE : style & ~LONG_PTR(BS_PUSHLIKE));
    SetWindowTextA(button, reference ? "R" : "");
    InvalidateRect(button, nullptr, TRUE);
}

// The current slot checked, the empty ones disabled, the reference marked.
// Only the buttons whose state changes are touched: each one set repaints,
// and a new frame changes two of ten.
void UpdateSlotStrip(HWND viewer, int current)
{
    for (int i = 0; i < SLOT_COUNT; i++) {
        HWND button = slotButton(viewer, i);
        WPARAM check = i == current ? BST_CHECKED : BST_UNCHECKED;
        if (SendMessageA(button, BM_GETCHECK, 0, 0) != LRESULT(check)) SendMessageA(button, BM_SETCHECK, check, 0);
        BOOL enable = !isSlotEmpty(i);
        if (!IsWindowEnabled(button) != !enable) EnableWindow(button, enable);
        MarkReference(button, i == referenceSlot());
    }
}

int GetSlotTip(NMHDR* notification)
{
    if (!g_tips || notification->hwndFrom != g_tips || notification->code != TTN_GETDISPINFOA) return 0;
    NMTTDISPINFOA* info = reinterpret_cast<NMTTDISPINFOA*>(notification);
    int slot = int(notification->idFrom);
    if (info->uFlags & TTF_IDISHWND) slot = GetDlgCtrlID(reinterpret_cast<HWND>(notification->idFrom)) - CMD_SLOT_FIRST;
    if (slot < 0 || slot >= SLOT_COUNT) return 0;
    static char text[TIP_SIZE];  // the tooltip reads it after this returns
    const View* view = viewInSlot(slot);  // null for an empty slot
    if (view)
        formatSlotTip(text, sizeof text, slot, view->name, view->image->width, view->image->height,
                      view->image->renderTime);
    else
        formatSlotTip(text, sizeof text, slot, nullptr, 0, 0, 0);
    if (view && slot == referenceSlot()) {
        size_t n = strlen(text);
        snprintf(text + n, sizeof text - n, " (the reference)");
    }
    info->lpszText = text;
    return 1;
}

void ReleaseSlotStrip()
{
    g_tips = nullptr;  // destroyed with the viewer, which owns it
}
