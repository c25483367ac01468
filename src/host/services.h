// The host's services as the plug-in found them at its last activation.
// Plain process-wide pointers: written on the host's thread at activation,
// read later by the frame buffer session and the display thread.
#pragma once

#include "sdk/lwmodule.h"
#include "sdk/lwservices.h"

struct HostServices {
    GlobalFunc lookup;             // set by the last successful activation
    HostDisplayInfo* hostDisplay;  // its window parents the viewer
    LWDirInfoFunc dirInfo;
    LWImageUtil* imageUtil;
    LWFileIOFuncs* fileIO;
};

HostServices* hostServices();

// True once either server has been activated successfully.
int pluginWasActivated();

// The host window, or null when the host gave no display record.
void* hostWindow();

// Asks the stored Global lookup; null when no activation succeeded yet.
void* lookupService(const char* name);

// The plug-in's own file path, recorded at library attach.
const char* pluginModulePath();
void setPluginModulePath(const char* path);
