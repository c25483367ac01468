// The "Add Text" dialog over the viewer: the caption's text, face, size,
// style, colour, alignment, anchor and drop shadow.
#pragma once

#include <windows.h>

#include "settings/settings.h"

// Edits options on a working copy; after OK writes it back and returns
// nonzero, after Cancel returns 0 and leaves options as they were.
int runTextDialog(HWND owner, TextOptions* options);
