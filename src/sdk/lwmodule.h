// How LightWave 3D finds and starts a plug-in: the exported module
// descriptor, its server table, and the activation signature. The host
// reads these records, so their slot order is fixed; the 32-bit layouts
// are checked at the end. Every host-facing function uses the C calling
// convention (cdecl), the compilers' default for plain functions.
#pragma once

#include <stddef.h>
#include <stdint.h>

extern "C" {

typedef const char* LWError;  // null means success
typedef void* LWInstance;

// The Global lookup: service name and use mode (always 0 here) to the
// service's record, or null when the host does not offer it.
typedef void* (*GlobalFunc)(const char* serviceName, int useMode);

typedef int (*ActivateFunc)(int32_t version, GlobalFunc global, void* local, void* serverData);

struct ServerRecord {
    const char* className;
    const char* name;
    ActivateFunc activate;
    void* tagInfo;  // always null
};

struct ModuleDescriptor {
    uint32_t sysSync;
    uint32_t sysVersion;
    uint32_t sysMachine;
    void* (*startup)(void);
    void (*shutdown)(void* serverData);
    ServerRecord* serverDefs;  // ends with an all-null record
};

enum : uint32_t {
    MOD_SYSSYNC = 0x04121994u,
    MOD_SYSVER = 3,
    // Windows on Intel. The same value serves the 64-bit build: the host
    // tells the two apart by the DLL's own machine type, and the Windows
    // hosts of both widths read 0x300 as "this platform".
    MOD_MACHINE_WINDOWS = 0x300,
};

// Activation results.
enum {
    AFUNC_OK = 0,
    AFUNC_BADVERSION = 1,
    AFUNC_BADGLOBAL = 2,
};

}  // extern "C"

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(ModuleDescriptor) == 24, "descriptor: six 32-bit words");
static_assert(offsetof(ModuleDescriptor, sysMachine) == 8, "descriptor: machine is word 3");
static_assert(offsetof(ModuleDescriptor, serverDefs) == 20, "descriptor: server table is word 6");
static_assert(sizeof(ServerRecord) == 16, "server record: four 32-bit words");
static_assert(offsetof(ServerRecord, activate) == 8, "server record: activation is word 3");
#endif
