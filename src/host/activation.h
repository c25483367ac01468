// The two servers' activation and the handler's instance functions.
#pragma once

#include "sdk/lwhandler.h"

extern "C" {
void* pluginStartup(void);
void pluginShutdown(void* serverData);
int activateHandler(int32_t version, GlobalFunc global, void* local, void* serverData);
int activateInterface(int32_t version, GlobalFunc global, void* local, void* serverData);
}

extern ServerRecord pluginServers[];

// Finds "Directory Info", "Image Utility" and "File IO", then reads the
// configuration file over the default settings; 1 when all three services
// were found (and only then is the file read).
int initPlugin(GlobalFunc global);

LWInstance createInstance(void* priv, void* context, LWError* err);
void destroyInstance(LWInstance inst);
LWError copyInstance(LWInstance to, LWInstance from);
LWError loadInstance(LWInstance inst, const LWLoadState* ls);
LWError saveInstance(LWInstance inst, const LWSaveState* ss);

// The interface server's options function.
LWError showOptions(LWInstance inst);
