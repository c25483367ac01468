// The save command: the "Save ZR image buffer" dialog over the viewer, and
// the current image written as the type chosen there, ZR BMP, ZR IFF or
// one of the host's own savers.
#pragma once

#include <windows.h>

#include "output/save_types.h"
#include "sdk/lwservices.h"

// What saving needs from the layers above it: the host's services as they
// are now (they may change at the next activation) and the viewer's cursor
// and status bar.
struct SaveHooks {
    const char* (*hostDirectory)(const char* kind);  // "Output" to a folder, or null
    const LWImageUtil* (*imageUtil)();               // null when the host offers none
    void (*busy)(HWND viewer, int on);
    void (*showName)(const char* name);
    void (*progress)(int n);  // the progress meter: a total to start, 0 per step
};

enum { SAVE_PATH_SIZE = 260 };

struct SaveTarget {
    char path[SAVE_PATH_SIZE];
    char title[SAVE_PATH_SIZE];
    int type;        // TYPE_ZR_BMP, TYPE_ZR_IFF, or the host saver's index
    char extension[SAVE_TYPE_EXTENSION_SIZE + 1];  // the type's, with its dot; "" for any
    int whole;       // 0: the name with its extension does not fit, and nothing may be written
};

// Null when the dialog was cancelled or the save cannot go on. The target
// lives until the next call.
const SaveTarget* AskSaveTarget(HWND owner, const char* defaultName, const SaveHooks& hooks);

// Saves the image the viewer shows. 1 when the file was written; 0 when a
// save was already running, the dialog was cancelled or the write failed
// (which leaves no partial file and every file as it was, keeps the
// image's name and tells the user, as does a save that memory runs short
// for).
int SaveCurrentImage(HWND viewer, const SaveHooks& hooks);
