// "File IO": save and load states on files, in the host's text form.
#include <stdio.h>
#include <stdlib.h>

#include <vector>

#include "zrhost/host_services.h"
#include "zrhost/text_state.h"

namespace {

struct OpenSave {
    LWSaveState* state;
    FILE* file;
};

std::vector<OpenSave> g_openSaves;

// Larger files are not settings or scenes of this host.
const long MAX_FILE_SIZE = 16L << 20;

LWSaveState* openSave(const char* name, int ioMode)
{
    if (!name) return nullptr;
    FILE* f = fopen(name, "wb");
    if (!f) return nullptr;
    LWSaveState* ss = newTextSaveState(ioMode);
    g_openSaves.push_back({ss, f});
    return ss;
}

void closeSave(LWSaveState* ss)
{
    for (size_t i = 0; i < g_openSaves.size(); i++) {
        if (g_openSaves[i].state != ss) continue;
        const std::string& text = textSaveStateText(ss);
        fwrite(text.data(), 1, text.size(), g_openSaves[i].file);
        fclose(g_openSaves[i].file);
        g_openSaves.erase(g_openSaves.begin() + long(i));
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
