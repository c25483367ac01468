// The image view pane inside the viewer window.
#include "host/plugin_module_win.h"

LRESULT CALLBACK ViewPaneProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefWindowProcA(hwnd, msg, wp, lp);
}
