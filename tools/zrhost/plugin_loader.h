// Loading a plug-in file the way LightWave 3D does: LoadLibrary, the
// exported module descriptor, its sync value, and the server table.
#pragma once

#include <windows.h>

#include "lwhandler.h"

struct LoadedPlugin {
    HMODULE module;
    ModuleDescriptor* descriptor;
    void* startupData;  // what the descriptor's start-up function returned
};

// 1 on success; otherwise 0 with a reason in error.
int loadPlugin(const char* path, LoadedPlugin* plugin, char* error, int errorSize);

// Calls the shut-down function and unloads the library.
void unloadPlugin(LoadedPlugin* plugin);

// Waits until the library at path has left the process: a viewer thread
// keeps it loaded until it ends, and the library's unload work then runs on
// that thread. Ending the process before it is done could deadlock the
// loader. 0 when it is still loaded after timeoutMs.
int waitUntilUnloaded(const char* path, int timeoutMs);

// The server record of that class, or null.
const ServerRecord* findServer(const LoadedPlugin* plugin, const char* className);
