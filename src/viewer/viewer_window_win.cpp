// The viewer's top-level window.
#include "host/plugin_module_win.h"

LRESULT CALLBACK ViewerWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefWindowProcA(hwnd, msg, wp, lp);
}
