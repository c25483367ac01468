// The record through which the host finds the two servers. Exported by
// name (see zr40.def); the host checks the sync value and walks the table.
#include "host/activation.h"

ServerRecord pluginServers[] = {
    {LWFRAMEBUFFER_HCLASS, "ZR40", activateHandler, nullptr},
    {LWFRAMEBUFFER_ICLASS, "ZR40", activateInterface, nullptr},
    {nullptr, nullptr, nullptr, nullptr},
};

extern "C" {
ModuleDescriptor _mod_descrip = {
    MOD_SYSSYNC, MOD_SYSVER, MOD_MACHINE_WINDOWS, pluginStartup, pluginShutdown, pluginServers,
};
}
