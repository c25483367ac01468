// Replaces a function that a loaded module imports, in its import table
// only: how the tests give the plug-in a clock they control.
#pragma once

#include <windows.h>

// The previous address, or null when the module does not import it.
void* patchImport(HMODULE module, const char* dllName, const char* functionName, void* replacement);
