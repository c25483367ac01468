// Copying the picture the viewer shows to the clipboard as CF_DIB.
#pragma once

#include <windows.h>
#include <stdint.h>

// 1 when the clipboard holds the bitmap: its info header (with palette)
// and rows in one movable block that the clipboard then owns.
int CopyBitmapToClipboard(HWND owner, const BITMAPINFOHEADER* info, const uint8_t* rows, int32_t stride);
