#include "output/clipboard_win.h"

#include "output/dib.h"

static int g_copying;  // a copy already under way (the clipboard can call back into the viewer)

int CopyBitmapToClipboard(HWND owner, const BITMAPINFOHEADER* info, const uint8_t* rows, int32_t stride)
{
    if (g_copying) return 0;
    size_t bytes = packedDibBytes(info, stride);
    if (bytes == 0) return 0;
    g_copying = 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    uint8_t* memory = block ? static_cast<uint8_t*>(GlobalLock(block)) : nullptr;
    if (!memory) {
        if (block) GlobalFree(block);
        g_copying = 0;
        return 0;
    }
    packDib(info, rows, stride, memory, bytes);
    GlobalUnlock(block);
    int ok = 0;
    if (OpenClipboard(owner)) {
        EmptyClipboard();
        ok = SetClipboardData(CF_DIB, block) != nullptr;
        CloseClipboard();
    }
    if (!ok) GlobalFree(block);  // only a block the clipboard took is the clipboard's
    g_copying = 0;
    return ok;
}
