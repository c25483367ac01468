// The host's view of the plug-in's viewer window from outside: finding it,
// typing into it, reading its controls and capturing what it shows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The viewer window of this process, waiting up to timeoutMs for it.
HWND findViewer(int timeoutMs);

// Waits until the viewer has handled everything sent to it so far.
void settleViewer(HWND viewer);

// Types text into the viewer: characters as WM_CHAR, and named keys in
// braces as WM_KEYDOWN: {ESC} {DEL} {LEFT} {RIGHT} {UP} {DOWN} {PGUP} {PGDN}
// {HOME} {END} and digits {1}, with SHIFT+ or CTRL+ before them held
// ({SHIFT+LEFT}, {CTRL+3}), {WAIT:ms}, {CLICK:x,y}, a left
// click on that client point of the image pane, and {OK}, OK in the Add
// Text dialog that t and a click open. 0 on an unknown key, or an {OK}
// with no dialog to press it in.
int sendKeys(HWND viewer, const std::string& keys);

// Puts the pointer on a client point of the viewer's image pane, counted
// from the right or bottom edge when negative, and reports a move there.
// 0 when the viewer has no pane.
int pointAtPane(HWND viewer, int x, int y);

// Opens the viewer's "Notes and Settings" sheet with its key and waits for
// it; null when it did not appear. The viewer stays in the sheet's modal
// loop until OK or Cancel, so the key is posted, not sent.
HWND openSettingsSheet(HWND viewer);

// Presses OK (PSBTN_OK) or Cancel on an open sheet. The press is posted,
// with a message after it: the sheet's modal loop looks whether it has
// ended only when a posted message wakes it.
void pressSheetButton(HWND sheet, int button);

// Writes each page of an open sheet to prefixN.bmp (N from 1), then
// cancels it. 0 when a page could not be captured.
int captureSheetPages(HWND sheet, const std::string& prefix);

// Writes the clipboard's CF_DIB block to a file, byte for byte; 0 when the
// clipboard holds none.
int dumpClipboardDib(const char* path);

// The text of one part of the viewer's status bar.
std::string statusText(HWND viewer, int part);

// Slot buttons: which is checked (-1 for none) and how many are enabled.
int checkedSlot(HWND viewer);
int enabledSlots(HWND viewer);

// 1 when the toolbar shows that command's button checked.
int toolbarChecked(HWND viewer, int command);

// A window's client area as it is on the screen.
struct Capture {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<unsigned char> pixels;  // 24-bit, rows bottom-up, as in a BMP
    // Red, green, blue of (x, y), y from the top.
    unsigned char red(int x, int y) const { return pixels[size_t(height - 1 - y) * stride + 3 * x + 2]; }
    unsigned char green(int x, int y) const { return pixels[size_t(height - 1 - y) * stride + 3 * x + 1]; }
    unsigned char blue(int x, int y) const { return pixels[size_t(height - 1 - y) * stride + 3 * x]; }
};
int captureWindow(HWND window, Capture* capture);

// Writes the client area as it is on the screen to a 24-bit BMP.
int captureClient(HWND window, const char* path);

// Writes that area of the screen, every window on it, to a 24-bit BMP.
int captureScreen(const RECT& area, const char* path);
