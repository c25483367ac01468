#include "zrhost/host_services.h"

#include <string.h>

static HostConfig g_config;
static int g_lookups[SERVICE_COUNT];
static HostDisplayInfo g_display;

static const struct {
    const char* name;
    const char* alias;
} serviceNames[SERVICE_COUNT] = {
    {LWHOSTDISPLAYINFO_GLOBAL, "display"}, {LWDIRINFOFUNC_GLOBAL, "dir"},
    {LWIMAGEUTIL_GLOBAL, "imageutil"},     {LWFILEIOFUNCS_GLOBAL, "fileio"},
    {LWINTERFACEINFO_GLOBAL, "interface"}, {LWSCENEINFO_GLOBAL, "scene"},
};

HostConfig* hostConfig()
{
    return &g_config;
}

void applyDefaultHostConfig(HostConfig* config)
{
    memset(config, 0, sizeof *config);
    config->interfaceInfo.curTime = 0.0;
    LWSceneInfo* s = &config->sceneInfo;
    s->name = "spheres.lws";
    s->filename = "C:\\Scenes\\spheres.lws";
    s->numPoints = 12482;
    s->numPolygons = 24960;
    s->renderType = 2;
    s->renderOpts = LWROPT_SHADOWTRACE | LWROPT_REFLECTTRACE | LWROPT_MOTIONBLUR;
    s->frameStart = 1;
    s->frameEnd = 60;
    s->frameStep = 1;
    s->framesPerSecond = 30.0;
    s->frameWidth = 640;
    s->frameHeight = 480;
    s->pixelAspect = 1.0;
    s->minSamplesPerPixel = 1;
    s->maxSamplesPerPixel = 9;
    s->recursionDepth = 16;
}

HostService serviceByName(const char* name)
{
    for (int i = 0; i < SERVICE_COUNT; i++)
        if (strcmp(name, serviceNames[i].name) == 0 || strcmp(name, serviceNames[i].alias) == 0)
            return HostService(i);
    return SERVICE_COUNT;
}

const char* serviceName(HostService service)
{
    return service < SERVICE_COUNT ? serviceNames[service].name : "";
}

int serviceLookupCount(HostService service)
{
    return service < SERVICE_COUNT ? g_lookups[service] : 0;
}

void resetServiceLookups()
{
    memset(g_lookups, 0, sizeof g_lookups);
}

static const char* directoryInfo(const char* kind)
{
    if (!kind) return nullptr;
    if (strcmp(kind, "Settings") == 0) return g_config.settingsDir;
    if (strcmp(kind, "Output") == 0) return g_config.outputDir;
    return nullptr;
}

static void* serviceRecord(HostService service)
{
    switch (service) {
    case SERVICE_HOST_DISPLAY:
        g_display.instance = GetModuleHandleA(nullptr);
        g_display.window = hostMainWindow();
        return &g_display;
    case SERVICE_DIRECTORY:
        return reinterpret_cast<void*>(directoryInfo);
    case SERVICE_IMAGE_UTIL:
        return hostImageUtil();
    case SERVICE_FILE_IO:
        return hostFileIO();
    case SERVICE_INTERFACE_INFO:
        return &g_config.interfaceInfo;
    case SERVICE_SCENE_INFO:
        return &g_config.sceneInfo;
    default:
        return nullptr;
    }
}

void* hostGlobal(const char* name, int)
{
    HostService service = name ? serviceByName(name) : SERVICE_COUNT;
    // Aliases are the command line's; the plug-in must use the real names.
    if (service == SERVICE_COUNT || strcmp(name, serviceNames[service].name) != 0) return nullptr;
    g_lookups[service]++;
    if (g_config.omitted & (1u << service)) return nullptr;
    return serviceRecord(service);
}
