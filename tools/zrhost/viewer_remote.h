// The host's view of the plug-in's viewer window from outside: finding it,
// typing into it, reading its controls and capturing what it shows.
#pragma once

#include <windows.h>

#include <string>

// The viewer window of this process, waiting up to timeoutMs for it.
HWND findViewer(int timeoutMs);

// Waits until the viewer has handled everything sent to it so far.
void settleViewer(HWND viewer);

// Types text into the viewer: characters as WM_CHAR, and named keys in
// braces as WM_KEYDOWN: {ESC} {DEL} {LEFT} {RIGHT} {UP} {DOWN} {PGUP} {PGDN}
// {HOME} {END}, {SHIFT+LEFT} and the like, {WAIT:ms}. 0 on an unknown key.
int sendKeys(HWND viewer, const std::string& keys);

// The text of one part of the viewer's status bar.
std::string statusText(HWND viewer, int part);

// Slot buttons: which is checked (-1 for none) and how many are enabled.
int checkedSlot(HWND viewer);
int enabledSlots(HWND viewer);

// 1 when the toolbar shows that command's button checked.
int toolbarChecked(HWND viewer, int command);

// Writes the viewer's client area as it is on the screen to a 24-bit BMP.
int captureClient(HWND window, const char* path);
