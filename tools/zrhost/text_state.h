// The stand-in host's save and load states in its text form: one block per
// line, nested blocks between "{ Token" and "}", values after the token.
//
//   { ZRConfig
//     Version 4
//     { TextOptions
//       Font "Arial" -24 0 0 0 400 0 0 0 0 0 0 0 0
//     }
//   }
//
// Strings are quoted with C escapes; floats are written with nine
// significant digits, so every float reads back exactly. Portable: it
// serves scenes and settings files in the host and in-memory states in the
// native tests.
#pragma once

#include <stddef.h>

#include <string>

#include "lwio.h"

// A save state that collects its text in memory.
LWSaveState* newTextSaveState(int ioMode);
const std::string& textSaveStateText(const LWSaveState* ss);
void freeTextSaveState(LWSaveState* ss);

// A load state over text; any bytes are accepted (what does not parse is
// skipped), so a damaged file reads as whatever blocks survive in it.
LWLoadState* newTextLoadState(const char* text, size_t size, int ioMode);
void freeTextLoadState(LWLoadState* ls);
