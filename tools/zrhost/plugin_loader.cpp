#include "zrhost/plugin_loader.h"

#include <stdio.h>
#include <string.h>

int loadPlugin(const char* path, LoadedPlugin* plugin, char* error, int errorSize)
{
    memset(plugin, 0, sizeof *plugin);
    plugin->module = LoadLibraryA(path);
    if (!plugin->module) {
        snprintf(error, errorSize, "cannot load %s (error %lu)", path, GetLastError());
        return 0;
    }
    plugin->descriptor = reinterpret_cast<ModuleDescriptor*>(GetProcAddress(plugin->module, "_mod_descrip"));
    if (!plugin->descriptor) {
        snprintf(error, errorSize, "%s has no _mod_descrip", path);
    } else if (plugin->descriptor->sysSync != MOD_SYSSYNC) {
        snprintf(error, errorSize, "%s: bad sync value 0x%08X", path, plugin->descriptor->sysSync);
    } else if (plugin->descriptor->sysMachine != MOD_MACHINE_WINDOWS) {
        snprintf(error, errorSize, "%s: machine 0x%X is not Windows", path, plugin->descriptor->sysMachine);
    } else if (!plugin->descriptor->startup || !(plugin->startupData = plugin->descriptor->startup())) {
        snprintf(error, errorSize, "%s: start-up failed", path);
    } else {
        return 1;
    }
    FreeLibrary(plugin->module);
    memset(plugin, 0, sizeof *plugin);
    return 0;
}

void unloadPlugin(LoadedPlugin* plugin)
{
    if (!plugin->module) return;
    if (plugin->descriptor->shutdown) plugin->descriptor->shutdown(plugin->startupData);
    FreeLibrary(plugin->module);
    memset(plugin, 0, sizeof *plugin);
}

const ServerRecord* findServer(const LoadedPlugin* plugin, const char* className)
{
    for (const ServerRecord* s = plugin->descriptor->serverDefs; s && s->className; s++)
        if (strcmp(s->className, className) == 0) return s;
    return nullptr;
}

int waitUntilUnloaded(const char* path, int timeoutMs)
{
    DWORD start = GetTickCount();
    while (GetModuleHandleA(path)) {
        if (int(GetTickCount() - start) > timeoutMs) return 0;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
    return 1;
}
