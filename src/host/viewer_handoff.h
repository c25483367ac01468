// What the frame buffer session needs from the platform: where a finished
// frame goes, how the host's render status window is closed, and the
// millisecond clock. Windows sets them at library attach; elsewhere (the
// native tests) a frame is dropped, nothing is closed, and the clock is the
// standard library's.
#pragma once

#include <stdint.h>

struct Image;

struct SessionPlatform {
    void (*handImageToViewer)(Image* image);  // takes ownership of image
    void (*closeRenderStatus)();
    uint32_t (*milliseconds)();
    void (*showAbout)(void* hostWindow);  // the about box over the host's window; may be null
};

void setSessionPlatform(const SessionPlatform& platform);
const SessionPlatform& sessionPlatform();
