// Which top-level window is the host's render status window: its class
// name is "WMgrBasic" exactly and its title begins with "Render Status"
// (the host adds the frame and the time). Both are compared as read into
// 32-byte buffers, so longer texts are cut to 31 characters first.
#pragma once

bool isRenderStatusWindow(const char* className, const char* title);

// The class alone, so that the title is read only of windows that can be it.
bool isRenderStatusClass(const char* className);
