// The library's module handle, icons and window classes, set at attach.
#pragma once

#include <windows.h>

#define VIEWER_MAIN_CLASS "ZRImageViewMain"
#define VIEWER_PANE_CLASS "ZRImageViewDraw"

HINSTANCE pluginModule();
