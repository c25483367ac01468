#include "zrhost/host_session.h"

#include <stdio.h>
#include <string.h>

#include "zrhost/host_services.h"

static int activate(const ServerRecord* server, int32_t version, void* local)
{
    if (!server || !server->activate) return -1;
    return server->activate(version, hostGlobal, local, nullptr);
}

void activateServers(HostSession* session, int32_t version)
{
    memset(&session->instanceFuncs, 0, sizeof session->instanceFuncs);
    memset(&session->handler, 0, sizeof session->handler);
    memset(&session->iface, 0, sizeof session->iface);
    session->handler.inst = &session->instanceFuncs;
    session->handlerResult = activate(findServer(&session->plugin, LWFRAMEBUFFER_HCLASS), version, &session->handler);
    session->interfaceResult = activate(findServer(&session->plugin, LWFRAMEBUFFER_ICLASS), version, &session->iface);
}

void printServerResults(const HostSession* session)
{
    for (const ServerRecord* s = session->plugin.descriptor->serverDefs; s && s->className; s++) {
        int result = strcmp(s->className, LWFRAMEBUFFER_HCLASS) == 0   ? session->handlerResult
                     : strcmp(s->className, LWFRAMEBUFFER_ICLASS) == 0 ? session->interfaceResult
                                                                       : -1;
        printf("%s %s %d\n", s->className, s->name ? s->name : "", result);
    }
    fflush(stdout);
}
