#include "zrhost/dialog_remote.h"

#include <dlgs.h>
#include <commdlg.h>
#include <string.h>

#include "zrhost/render.h"

namespace {

struct TitleSearch {
    const char* title;
    HWND found;
    int count;
};

// The title as the window manager holds it: asking the window itself
// (GetWindowText) waits for its thread, which may be busy printing.
BOOL CALLBACK matchTitle(HWND w, LPARAM context)
{
    TitleSearch* search = reinterpret_cast<TitleSearch*>(context);
    wchar_t wide[128] = L"";
    InternalGetWindowText(w, wide, 128);
    char title[128] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, title, sizeof title, nullptr, nullptr);
    if (strcmp(title, search->title) != 0 || !IsWindowVisible(w)) return TRUE;
    search->found = w;
    search->count++;
    return TRUE;
}

std::string windowText(HWND w)
{
    char text[1024] = "";
    if (w) GetWindowTextA(w, text, sizeof text);
    return text;
}

// The file name box: an edit, or in newer templates a combo box with one.
HWND fileNameBox(HWND dialog)
{
    HWND box = GetDlgItem(dialog, edt1);
    return box ? box : GetDlgItem(dialog, cmb13);
}

std::string comboText(HWND combo, int index)
{
    char text[512] = "";
    if (index >= 0 && SendMessageA(combo, CB_GETLBTEXTLEN, index, 0) < LRESULT(sizeof text))
        SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

// Posted, since the dialog's thread may be inside the dialog's own loop;
// a message after it wakes a loop that looks whether it has ended only
// when a message comes.
void pressButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    PostMessageA(dialog, WM_NULL, 0, 0);
}

// Posts the key that opens a dialog and waits for it to show and then to
// fill its boxes, which it does after it shows.
HWND openWithKey(HWND viewer, char key, const char* title, bool (*filled)(HWND dialog))
{
    PostMessageA(viewer, WM_CHAR, WPARAM(key), 1);
    HWND dialog = findViewerDialog(viewer, title, 10000);
    DWORD start = GetTickCount();
    while (dialog && !filled(dialog) && GetTickCount() - start < 5000) pumpMessages(20);
    return dialog;
}

}  // namespace

HWND findViewerDialog(HWND viewer, const char* title, int timeoutMs)
{
    DWORD thread = GetWindowThreadProcessId(viewer, nullptr);
    TitleSearch search = {title, nullptr, 0};
    DWORD start = GetTickCount();
    for (;;) {
        EnumThreadWindows(thread, matchTitle, reinterpret_cast<LPARAM>(&search));
        if (search.found || int(GetTickCount() - start) >= timeoutMs) return search.found;
        pumpMessages(20);
    }
}

int countViewerDialogs(HWND viewer, const char* title)
{
    TitleSearch search = {title, nullptr, 0};
    EnumThreadWindows(GetWindowThreadProcessId(viewer, nullptr), matchTitle, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

int waitUntilClosed(HWND window, int timeoutMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(window) && int(GetTickCount() - start) < timeoutMs) pumpMessages(20);
    return !IsWindow(window);
}

HWND openSaveDialog(HWND viewer)
{
    return openWithKey(viewer, 's', "Save ZR image buffer",
                       [](HWND dialog) { return !readSaveDialog(dialog).types.empty(); });
}

SaveDialogState readSaveDialog(HWND dialog)
{
    SaveDialogState state;
    char folder[MAX_PATH] = "";
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(dialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder), SMTO_NORMAL,
                            5000, &result) && int(result) > 0)
        state.folder = folder;
    state.fileName = windowText(fileNameBox(dialog));
    HWND types = GetDlgItem(dialog, cmb1);
    int count = int(SendMessageA(types, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; i++) state.types.push_back(comboText(types, i));
    state.typeIndex = int(SendMessageA(types, CB_GETCURSEL, 0, 0));
    return state;
}

void saveAs(HWND dialog, const std::string& name, int typeIndex)
{
    if (typeIndex >= 0) {
        HWND types = GetDlgItem(dialog, cmb1);
        SendMessageA(types, CB_SETCURSEL, typeIndex, 0);
        // As a real selection notifies: Wine takes the type at CBN_SELENDOK.
        for (WORD code : {WORD(CBN_SELCHANGE), WORD(CBN_SELENDOK)})
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(types));
    }
    SetWindowTextA(fileNameBox(dialog), name.c_str());
    pressButton(dialog, IDOK);
}

void cancelDialog(HWND dialog)
{
    pressButton(dialog, IDCANCEL);
}

// The dialog fills its lists after it shows: the colour list comes last
// but one, the sizes last.
HWND openTextDialog(HWND viewer, int x, int y)
{
    PostMessageA(viewer, WM_CHAR, WPARAM('t'), 1);
    HWND pane = GetDlgItem(viewer, 2);
    PostMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(pane, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    HWND dialog = findViewerDialog(viewer, "Add Text", 10000);
    DWORD start = GetTickCount();
    while (dialog && SendDlgItemMessageA(dialog, 103, CB_GETCOUNT, 0, 0) <= 0 && GetTickCount() - start < 5000)
        pumpMessages(20);
    return dialog;
}

void pressDialogButton(HWND dialog, int id)
{
    pressButton(dialog, id);
}

HWND openPrintDialog(HWND viewer)
{
    return openWithKey(viewer, 'p', "Print", [](HWND dialog) { return !readPrintDialog(dialog).printer.empty(); });
}

PrintDialogState readPrintDialog(HWND dialog)
{
    PrintDialogState state;
    HWND printers = GetDlgItem(dialog, cmb4);
    state.printer = comboText(printers, int(SendMessageA(printers, CB_GETCURSEL, 0, 0)));
    state.copies = int(GetDlgItemInt(dialog, edt3, nullptr, FALSE));
    return state;
}

void printWith(HWND dialog, const std::string& printer, int copies)
{
    if (!printer.empty()) {
        HWND printers = GetDlgItem(dialog, cmb4);
        SendMessageA(printers, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(printer.c_str()));
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb4, CBN_SELCHANGE), reinterpret_cast<LPARAM>(printers));
    }
    SetDlgItemInt(dialog, edt3, UINT(copies), FALSE);
    pressButton(dialog, IDOK);
}

void waitForPrintToEnd(HWND viewer)
{
    HWND box = findViewerDialog(viewer, "ZR", 5000);
    DWORD start = GetTickCount();
    while ((!IsWindowEnabled(viewer) || (box && IsWindow(box))) && GetTickCount() - start < 60000) pumpMessages(50);
}

static BOOL CALLBACK findStatic(HWND w, LPARAM context)
{
    char cls[32];
    GetClassNameA(w, cls, sizeof cls);
    if (_stricmp(cls, "Static") != 0 || GetWindowTextLengthA(w) == 0) return TRUE;
    *reinterpret_cast<HWND*>(context) = w;
    return FALSE;
}

int readAndCloseMessageBox(HWND viewer, const char* caption, int timeoutMs, MessageBoxText* out)
{
    HWND box = findViewerDialog(viewer, caption, timeoutMs);
    if (!box) return 0;
    HWND text = nullptr;
    EnumChildWindows(box, findStatic, reinterpret_cast<LPARAM>(&text));
    if (out) *out = {windowText(box), windowText(text)};
    pressButton(box, IDOK);
    waitUntilClosed(box, 5000);
    return 1;
}
