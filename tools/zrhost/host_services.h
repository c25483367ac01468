// The services the stand-in host offers through its Global lookup, and the
// options that shape them (folders, scene facts, services left out).
#pragma once

#include <windows.h>

#include "lwservices.h"

enum HostService {
    SERVICE_HOST_DISPLAY,
    SERVICE_DIRECTORY,
    SERVICE_IMAGE_UTIL,
    SERVICE_FILE_IO,
    SERVICE_INTERFACE_INFO,
    SERVICE_SCENE_INFO,
    SERVICE_COUNT
};

struct HostConfig {
    unsigned omitted;  // bit (1 << HostService) per service left out
    char settingsDir[MAX_PATH];
    char outputDir[MAX_PATH];
    LWInterfaceInfo interfaceInfo;
    LWSceneInfo sceneInfo;
};

HostConfig* hostConfig();

// Plausible facts of a small scene at 30 frames per second.
void applyDefaultHostConfig(HostConfig* config);

// The service of that name ("Host Display Info", ...) or of a short alias
// ("display", "dir", "imageutil", "fileio", "interface", "scene");
// SERVICE_COUNT when none matches.
HostService serviceByName(const char* name);
const char* serviceName(HostService service);

// The Global lookup handed to activation.
void* hostGlobal(const char* name, int useMode);

// How often the plug-in asked for each service since the last reset.
int serviceLookupCount(HostService service);
void resetServiceLookups();

// The host's main window, created on first use.
HWND hostMainWindow();
void destroyHostMainWindow();

// Image Utility and File IO records (image_util.cpp, file_io.cpp).
LWImageUtil* hostImageUtil();
LWFileIOFuncs* hostFileIO();
