#include "host/activation.h"

#include <stdlib.h>

#include "host/services.h"
#include "host/session.h"
#include "host/viewer_handoff.h"
#include "settings/config_file.h"
#include "settings/settings_io.h"
#include "viewer/readout_format.h"

// The host only checks that start-up returned something other than null.
void* pluginStartup(void)
{
    return reinterpret_cast<void*>(4);
}

void pluginShutdown(void*) {}

int initPlugin(GlobalFunc global)
{
    HostServices* hs = hostServices();
    hs->dirInfo = reinterpret_cast<LWDirInfoFunc>(global(LWDIRINFOFUNC_GLOBAL, 0));
    if (!hs->dirInfo) return 0;
    hs->imageUtil = static_cast<LWImageUtil*>(global(LWIMAGEUTIL_GLOBAL, 0));
    if (!hs->imageUtil) return 0;
    hs->fileIO = static_cast<LWFileIOFuncs*>(global(LWFILEIOFUNCS_GLOBAL, 0));
    if (!hs->fileIO) return 0;

    // Every activation starts again from the defaults and the file, so a
    // scene's settings last only until the next activation.
    loadConfigFile(hs->fileIO, hs->dirInfo("Settings"), pluginModulePath(), settingsRecord());
    SetPixelDisplayType(settingsRecord()->pixelDisplayType);
    return 1;
}

// The host treats a handler whose activation failed as absent, so nothing
// of its record is written unless every service was found.
int activateHandler(int32_t version, GlobalFunc global, void* local, void*)
{
    if (version != LWFRAMEBUFFER_VERSION) return AFUNC_BADVERSION;

    HostServices* hs = hostServices();
    hs->hostDisplay = static_cast<HostDisplayInfo*>(global(LWHOSTDISPLAYINFO_GLOBAL, 0));
    if (!hs->hostDisplay) return AFUNC_BADGLOBAL;
    if (!initPlugin(global)) return AFUNC_BADGLOBAL;

    LWFrameBufferHandler* handler = static_cast<LWFrameBufferHandler*>(local);
    handler->type = LWFBT_FLOAT;
    handler->inst->create = createInstance;
    handler->inst->destroy = destroyInstance;
    handler->inst->copy = copyInstance;
    handler->inst->load = loadInstance;
    handler->inst->save = saveInstance;
    handler->open = fbOpen;
    handler->close = fbClose;
    handler->begin = fbBegin;
    handler->write = fbWrite;
    handler->pause = fbPause;

    hs->lookup = global;
    return AFUNC_OK;
}

int activateInterface(int32_t version, GlobalFunc global, void* local, void*)
{
    if (version != LWFRAMEBUFFER_VERSION) return AFUNC_BADVERSION;

    LWInterface* iface = static_cast<LWInterface*>(local);
    iface->panel = nullptr;
    iface->options = showOptions;
    iface->command = nullptr;

    hostServices()->lookup = global;
    return AFUNC_OK;
}

LWInstance createInstance(void*, void*, LWError* err)
{
    FrameBufferSession* session = static_cast<FrameBufferSession*>(calloc(1, sizeof(FrameBufferSession)));
    if (!session && err) *err = "ZR couldn't allocate instance.";
    return session;
}

// A host that destroys an instance between begin and pause, without
// closing it, must not leave the begun image behind.
void destroyInstance(LWInstance inst)
{
    if (inst) fbClose(inst);
    free(inst);
}

// Settings are process-wide, so an instance has nothing of its own to copy.
LWError copyInstance(LWInstance, LWInstance)
{
    return nullptr;
}

// The settings are process-wide and travel with the host's scene.
LWError loadInstance(LWInstance, const LWLoadState* ls)
{
    if (ls) readSettings(settingsRecord(), ls);
    return nullptr;
}

LWError saveInstance(LWInstance, const LWSaveState* ss)
{
    if (ss) writeSettings(settingsRecord(), ss);
    return nullptr;
}

// The options button shows the about box over the host's window, asked
// for again since the host may have made a new one.
LWError showOptions(LWInstance)
{
    HostServices* hs = hostServices();
    if (hs->lookup) hs->hostDisplay = static_cast<HostDisplayInfo*>(hs->lookup(LWHOSTDISPLAYINFO_GLOBAL, 0));
    if (sessionPlatform().showAbout) sessionPlatform().showAbout(hostWindow());
    return nullptr;
}
