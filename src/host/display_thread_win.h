// The display thread: it owns the viewer window and its message loop.
#pragma once

#include <windows.h>

struct Image;

// Called at library attach, with the library's module, and at detach.
void initDisplayThread(HINSTANCE module);
void shutdownDisplayThread();

// Takes ownership of image: posts it to the viewer, or starts the display
// thread with it, or queues it for a thread that is starting.
void handImageToViewer(Image* image);

// The host's "Render Status" window, if one is open.
void closeRenderStatus();
BOOL CALLBACK matchRenderStatus(HWND window, LPARAM found);
