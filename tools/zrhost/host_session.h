// The host's side of one loaded plug-in: its two servers' records and
// their activation results. The render loop and the scene commands work
// through this record.
#pragma once

#include "zrhost/plugin_loader.h"

struct HostSession {
    LoadedPlugin plugin;
    LWInstanceFuncs instanceFuncs;
    LWFrameBufferHandler handler;
    LWInterface iface;
    int handlerResult;  // activation results; -1 when the server is absent
    int interfaceResult;
};

// Activates every server of the plug-in with that version.
void activateServers(HostSession* session, int32_t version);

// One line per server: class, server name, activation result.
void printServerResults(const HostSession* session);
