// "File IO": save and load states on files, in the host's text form.
#include <stdio.h>
#include <stdlib.h>

#include <vector>

#include "zrhost/host_services.h"
#include "zrhost/text_state.h"

namespace {

// Save states open at once; plain static storage, so that a plug-in
// writing its settings while the process ends finds it intact.
struct OpenSave {
    LWSaveState* state;
    FILE* file;
};
const int MAX_OPEN_SAVES = 16;
OpenSave g_openSaves[MAX_OPEN_SAVES];

// Larger files are not settings or scenes of this host.
const long MAX_FILE_SIZE = 16L << 20;

LWSaveState* openSave(const char* name, int ioMode)
{
    if (!name) return nullptr;
    OpenSave* entry = nullptr;
    for (OpenSave& o : g_openSaves)
        if (!o.state) entry = &o;
    if (!entry) return nullptr;
    FILE* f = fopen(name, "wb");
    if (!f) return nullptr;
    *entry = {newTextSaveState(ioMode), f};
    return entry->state;
}

void closeSave(LWSaveState* ss)
{
    if (!ss) return;
    for (OpenSave& o : g_openSaves) {
        if (o.state != ss) continue;
        const std::string& text = textSaveStateText(ss);
        fwrite(text.data(), 1, text.size(), o.file);
        fclose(o.file);
        o = {nullptr, nullptr};
        break;
    }
    freeTextSaveState(ss);
}

LWLoadState* openLoad(const char* name, int ioMode)
{
    if (!name) return nullptr;
    FILE* f = fopen(name, "rb");
    if (!f) return nullptr;
    std::vector<char> text;
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0 && long(text.size()) < MAX_FILE_SIZE)
        text.insert(text.end(), buf, buf + n);
    fclose(f);
    return newTextLoadState(text.data(), text.size(), ioMode);
}

void closeLoad(LWLoadState* ls)
{
    freeTextLoadState(ls);
}

LWFileIOFuncs g_fileIO = {openSave, closeSave, openLoad, closeLoad};

}  // namespace

LWFileIOFuncs* hostFileIO()
{
    return &g_fileIO;
}
