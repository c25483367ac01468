#include "zrhost/viewer_remote.h"

#include "zrhost/dialog_remote.h"
#include "zrhost/render.h"

#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <string.h>

#include <vector>

HWND findViewer(int timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND w = nullptr;
        while ((w = FindWindowExA(nullptr, w, "ZRImageViewMain", nullptr)) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == GetCurrentProcessId()) return w;
        }
        if (int(GetTickCount() - start) >= timeoutMs) return nullptr;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

void settleViewer(HWND viewer)
{
    DWORD_PTR result;
    SendMessageTimeoutA(viewer, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
}

static const struct {
    const char* name;
    WPARAM key;
} namedKeys[] = {
    {"ESC", VK_ESCAPE}, {"DEL", VK_DELETE}, {"LEFT", VK_LEFT}, {"RIGHT", VK_RIGHT}, {"UP", VK_UP},
    {"DOWN", VK_DOWN},  {"PGUP", VK_PRIOR}, {"PGDN", VK_NEXT}, {"HOME", VK_HOME},   {"END", VK_END},
};

// The virtual key of a key's name: the named keys, and a digit as itself.
static WPARAM virtualKeyNamed(const std::string& name)
{
    for (const auto& k : namedKeys)
        if (name == k.name) return k.key;
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return WPARAM(name[0]);
    return 0;
}

static int sendNamedKey(HWND viewer, std::string name)
{
    if (name.compare(0, 5, "WAIT:") == 0) {
        Sleep(DWORD(atoi(name.c_str() + 5)));
        return 1;
    }
    int x, y;
    // A left click on the pane's client point. Posted: a click that places
    // a caption opens the Add Text dialog, whose loop the viewer stays in.
    if (sscanf(name.c_str(), "CLICK:%d,%d", &x, &y) == 2) {
        HWND pane = GetDlgItem(viewer, 2);
        PostMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageA(pane, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        settleViewer(viewer);
        return 1;
    }
    if (name == "OK") {  // OK in the Add Text dialog
        HWND dialog = findViewerDialog(viewer, "Add Text", 10000);
        if (!dialog) return 0;
        pressDialogButton(dialog, IDOK);
        waitUntilClosed(dialog, 10000);
        settleViewer(viewer);
        return 1;
    }
    BYTE held[256] = {};  // the modifiers named before the key
    for (;;) {
        if (name.compare(0, 6, "SHIFT+") == 0)
            held[VK_SHIFT] = 0x80, name = name.substr(6);
        else if (name.compare(0, 5, "CTRL+") == 0)
            held[VK_CONTROL] = 0x80, name = name.substr(5);
        else
            break;
    }
    WPARAM key = virtualKeyNamed(name);
    if (!key) return 0;
    bool modified = held[VK_SHIFT] || held[VK_CONTROL];
    BYTE state[256];
    GetKeyboardState(state);
    DWORD viewerThread = GetWindowThreadProcessId(viewer, nullptr);
    if (modified) {
        // The viewer reads the modifiers with GetKeyState on its own thread.
        AttachThreadInput(GetCurrentThreadId(), viewerThread, TRUE);
        BYTE modifiedState[256];
        memcpy(modifiedState, state, sizeof modifiedState);
        modifiedState[VK_SHIFT] |= held[VK_SHIFT];
        modifiedState[VK_CONTROL] |= held[VK_CONTROL];
        SetKeyboardState(modifiedState);
    }
    SendMessageA(viewer, WM_KEYDOWN, key, 1);
    if (modified) {
        SetKeyboardState(state);
        AttachThreadInput(GetCurrentThreadId(), viewerThread, FALSE);
    }
    return 1;
}

int sendKeys(HWND viewer, const std::string& keys)
{
    for (size_t i = 0; i < keys.size(); i++) {
        if (!IsWindow(viewer)) return 1;  // a key closed it
        if (keys[i] == '{') {
            size_t end = keys.find('}', i);
            if (end == std::string::npos || !sendNamedKey(viewer, keys.substr(i + 1, end - i - 1))) return 0;
            i = end;
        } else {
            SendMessageA(viewer, WM_CHAR, WPARAM(static_cast<unsigned char>(keys[i])), 1);
        }
    }
    return 1;
}

int pointAtPane(HWND viewer, int x, int y)
{
    HWND pane = GetDlgItem(viewer, 2);
    RECT client;
    if (!pane || !GetClientRect(pane, &client)) return 0;
    POINT p = {x < 0 ? client.right + x : x, y < 0 ? client.bottom + y : y};
    POINT screen = p;
    ClientToScreen(pane, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(pane, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    return 1;
}

HWND openSettingsSheet(HWND viewer)
{
    PostMessageA(viewer, WM_CHAR, 'n', 1);
    return findViewerDialog(viewer, "Notes and Settings", 5000);
}

void pressSheetButton(HWND sheet, int button)
{
    PostMessageA(sheet, PSM_PRESSBUTTON, button, 0);
    PostMessageA(sheet, WM_NULL, 0, 0);
}

int captureSheetPages(HWND sheet, const std::string& prefix)
{
    int ok = 1;
    for (int page = 0; page < 4; page++) {
        SendMessageA(sheet, PSM_SETCURSEL, page, 0);
        UpdateWindow(sheet);
        pumpMessages(100);
        std::string path = prefix + std::to_string(page + 1) + ".bmp";
        if (!captureClient(sheet, path.c_str())) ok = 0;
    }
    pressSheetButton(sheet, PSBTN_CANCEL);
    return ok;
}

int dumpClipboardDib(const char* path)
{
    if (!OpenClipboard(nullptr)) return 0;
    int ok = 0;
    HANDLE block = GetClipboardData(CF_DIB);
    const void* memory = block ? GlobalLock(block) : nullptr;
    if (memory) {
        FILE* f = fopen(path, "wb");
        if (f) {
            ok = fwrite(memory, 1, GlobalSize(block), f) == GlobalSize(block);
            ok = fclose(f) == 0 && ok;
        }
        GlobalUnlock(block);
    }
    CloseClipboard();
    return ok;
}

std::string statusText(HWND viewer, int part)
{
    HWND status = GetDlgItem(viewer, 3);
    if (!status) return "";
    char text[512] = "";
    LRESULT length = SendMessageA(status, SB_GETTEXTLENGTHA, part, 0);
    if (LOWORD(length) >= sizeof text) return "";
    SendMessageA(status, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
}

int checkedSlot(HWND viewer)
{
    for (int i = 0; i < 10; i++)
        if (IsDlgButtonChecked(viewer, 200 + i) == BST_CHECKED) return i;
    return -1;
}

int enabledSlots(HWND viewer)
{
    int n = 0;
    for (int i = 0; i < 10; i++) n += IsWindowEnabled(GetDlgItem(viewer, 200 + i)) ? 1 : 0;
    return n;
}

int toolbarChecked(HWND viewer, int command)
{
    return SendDlgItemMessageA(viewer, 20, TB_ISBUTTONCHECKED, command, 0) != 0;
}

static void putLE(std::vector<unsigned char>& out, unsigned value, int bytes)
{
    for (int i = 0; i < bytes; i++) out.push_back((value >> (8 * i)) & 0xFF);
}

// The w x h area at (x, y) of a device context, as 24-bit rows.
static int captureArea(HDC source, int x, int y, int w, int h, Capture* capture)
{
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateCompatibleBitmap(source, w, h);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, source, x, y, SRCCOPY);
    SelectObject(memory, previous);
    BITMAPINFOHEADER bi = {};
    bi.biSize = sizeof bi;
    bi.biWidth = w;
    bi.biHeight = h;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    capture->width = w;
    capture->height = h;
    capture->stride = (w * 3 + 3) & ~3;
    capture->pixels.assign(size_t(capture->stride) * h, 0);
    int rows = GetDIBits(memory, bitmap, 0, h, capture->pixels.data(), reinterpret_cast<BITMAPINFO*>(&bi),
                         DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return rows == h;
}

int captureWindow(HWND window, Capture* capture)
{
    RECT r;
    if (!GetClientRect(window, &r) || r.right <= 0 || r.bottom <= 0) return 0;
    HDC dc = GetDC(window);
    int ok = captureArea(dc, 0, 0, r.right, r.bottom, capture);
    ReleaseDC(window, dc);
    return ok;
}

static int writeCapture(const Capture& c, const char* path)
{
    std::vector<unsigned char> file;
    file.push_back('B');
    file.push_back('M');
    putLE(file, unsigned(54 + c.pixels.size()), 4);
    putLE(file, 0, 4);
    putLE(file, 54, 4);
    putLE(file, 40, 4);
    putLE(file, unsigned(c.width), 4);
    putLE(file, unsigned(c.height), 4);
    putLE(file, 1, 2);
    putLE(file, 24, 2);
    putLE(file, 0, 4);
    putLE(file, unsigned(c.pixels.size()), 4);
    putLE(file, 2835, 4);
    putLE(file, 2835, 4);
    putLE(file, 0, 4);
    putLE(file, 0, 4);
    file.insert(file.end(), c.pixels.begin(), c.pixels.end());
    FILE* f = fopen(path, "wb");
    if (!f) return 0;
    int ok = fwrite(file.data(), 1, file.size(), f) == file.size();
    return fclose(f) == 0 && ok;
}

int captureClient(HWND window, const char* path)
{
    Capture c;
    return captureWindow(window, &c) && writeCapture(c, path);
}

int captureScreen(const RECT& area, const char* path)
{
    if (area.right <= area.left || area.bottom <= area.top) return 0;
    HDC dc = GetDC(nullptr);
    Capture c;
    int ok = captureArea(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, &c);
    ReleaseDC(nullptr, dc);
    return ok && writeCapture(c, path);
}
