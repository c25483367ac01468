#include "host/services.h"

#include <stdio.h>

static HostServices g_services;
static char g_modulePath[260];

HostServices* hostServices()
{
    return &g_services;
}

int pluginWasActivated()
{
    return g_services.lookup != nullptr;
}

void* hostWindow()
{
    return g_services.hostDisplay ? g_services.hostDisplay->window : nullptr;
}

void* lookupService(const char* name)
{
    return g_services.lookup ? g_services.lookup(name, 0) : nullptr;
}

const char* pluginModulePath()
{
    return g_modulePath;
}

void setPluginModulePath(const char* path)
{
    snprintf(g_modulePath, sizeof g_modulePath, "%s", path ? path : "");
}
