// "File IO": the load and save states of scenes and settings files.
#include "zrhost/host_services.h"

static LWSaveState* openSave(const char*, int)
{
    return nullptr;
}

static void closeSave(LWSaveState*) {}

static LWLoadState* openLoad(const char*, int)
{
    return nullptr;
}

static void closeLoad(LWLoadState*) {}

static LWFileIOFuncs g_fileIO = {openSave, closeSave, openLoad, closeLoad};

LWFileIOFuncs* hostFileIO()
{
    return &g_fileIO;
}
