// The viewer's flat toolbar: seventeen commands, ten of them check buttons
// that mirror the View state.
#include <windows.h>
#include <commctrl.h>

#include "image/view_state.h"
#include "viewer/viewer_commands.h"
#include "viewer/viewer_win.h"

enum { TOOLBAR_BITMAP = 201, OWN_IMAGES = 15 };

static TBBUTTON separator()
{
    TBBUTTON b = {};
    b.iBitmap = 8;  // a separator's width
    b.fsStyle = TBSTYLE_SEP;
    return b;
}

static TBBUTTON button(int image, int command, BYTE style)
{
    TBBUTTON b = {};
    b.iBitmap = image;
    b.idCommand = command;
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = style;
    return b;
}

HWND CreateToolbar(HWND viewer)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(viewer, GWLP_HINSTANCE));
    HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                                   WS_CHILD | WS_VISIBLE | CCS_TOP | CCS_NODIVIDER | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT,
                                   0, 0, 0, 0, viewer, reinterpret_cast<HMENU>(ID_TOOLBAR), instance, nullptr);
    if (!toolbar) return nullptr;
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);

    TBADDBITMAP standard = {HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
    SendMessageA(toolbar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&standard));
    TBADDBITMAP own = {instance, TOOLBAR_BITMAP};
    int base = int(SendMessageA(toolbar, TB_ADDBITMAP, OWN_IMAGES, reinterpret_cast<LPARAM>(&own)));

    const TBBUTTON buttons[] = {
        separator(),
        button(STD_FILESAVE, CMD_SAVE, TBSTYLE_BUTTON),
        button(base + 13, CMD_COPY, TBSTYLE_BUTTON),
        button(base + 14, CMD_PRINT, TBSTYLE_BUTTON),
        button(STD_DELETE, CMD_DELETE, TBSTYLE_BUTTON),
        separator(),
        button(base + 0, CMD_RGB, TBSTYLE_CHECK),
        button(base + 1, CMD_ALPHA, TBSTYLE_CHECK),
        button(base + 2, CMD_RED, TBSTYLE_CHECK),
        button(base + 3, CMD_GREEN, TBSTYLE_CHECK),
        button(base + 4, CMD_BLUE, TBSTYLE_CHECK),
        button(base + 5, CMD_HOT_PIXELS, TBSTYLE_CHECK),
        button(base + 6, CMD_SAFE_OUTLINES, TBSTYLE_CHECK),
        button(base + 11, CMD_WIPE, TBSTYLE_CHECK),
        button(base + 12, CMD_DIFFERENCE, TBSTYLE_CHECK),
        separator(),
        button(base + 7, CMD_FIT, TBSTYLE_BUTTON),
        button(base + 8, CMD_NOTES, TBSTYLE_BUTTON),
        button(base + 9, CMD_ADD_TEXT, TBSTYLE_CHECK),
        button(base + 10, CMD_UNDO_TEXT, TBSTYLE_BUTTON),
    };
    SendMessageA(toolbar, TB_ADDBUTTONSA, sizeof buttons / sizeof buttons[0], reinterpret_cast<LPARAM>(buttons));
    return toolbar;
}

int ToolbarHeight(HWND viewer)
{
    RECT r;
    HWND toolbar = GetDlgItem(viewer, ID_TOOLBAR);
    if (!toolbar || !GetWindowRect(toolbar, &r)) return 0;
    return r.bottom - r.top;
}

int AutosizeToolbar(HWND viewer)
{
    SendDlgItemMessageA(viewer, ID_TOOLBAR, TB_AUTOSIZE, 0, 0);
    return ToolbarHeight(viewer);
}

void CheckToolbarButton(HWND viewer, int command, int on)
{
    SendDlgItemMessageA(viewer, ID_TOOLBAR, TB_CHECKBUTTON, command, MAKELPARAM(on ? TRUE : FALSE, 0));
}

void UpdateToolbarChecks(HWND viewer, const ViewState* vs, int hasReference)
{
    for (int channel = 0; channel <= 4; channel++)
        CheckToolbarButton(viewer, commandOfChannel(channel), channel == vs->channelView);
    CheckToolbarButton(viewer, CMD_HOT_PIXELS, (vs->overlays & OVERLAY_HOT) != 0);
    CheckToolbarButton(viewer, CMD_SAFE_OUTLINES, (vs->overlays & OVERLAY_SAFE) != 0);
    // The comparisons need a reference to compare with.
    static const int compareCommands[] = {CMD_WIPE, CMD_DIFFERENCE};
    for (int command : compareCommands)
        SendDlgItemMessageA(viewer, ID_TOOLBAR, TB_ENABLEBUTTON, command, MAKELPARAM(hasReference ? TRUE : FALSE, 0));
    CheckToolbarButton(viewer, CMD_WIPE, vs->compareMode == COMPARE_WIPE);
    CheckToolbarButton(viewer, CMD_DIFFERENCE, vs->compareMode == COMPARE_DIFFERENCE);
}

void SetAddTextChecked(HWND viewer, int on)
{
    CheckToolbarButton(viewer, CMD_ADD_TEXT, on);
}

int GetToolbarTip(NMHDR* notification)
{
    if (notification->code != TTN_NEEDTEXTA) return 0;
    NMTTDISPINFOA* info = reinterpret_cast<NMTTDISPINFOA*>(notification);
    const char* tip = toolbarTip(int(notification->idFrom));
    if (!tip) return 0;
    lstrcpynA(info->szText, tip, sizeof info->szText);
    return 1;
}
