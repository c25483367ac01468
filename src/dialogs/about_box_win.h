// The about box: a picture and a panel of text in a borderless window over
// the host, closing itself after a while or at a click. Not modal: it
// lives in the calling thread's message loop.
#pragma once

#include <windows.h>

HWND ShowAboutBox(HINSTANCE module, HWND owner, UINT durationMs);
