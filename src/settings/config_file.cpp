#include "settings/config_file.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "settings/settings_io.h"

static int fileExists(const char* path)
{
    FILE* f = fopen(path, "rb");
    if (!f) return 0;
    fclose(f);
    return 1;
}

// "folder\name" into path; 0 (and path untouched) when it does not fit.
static int joinPath(char* path, int size, const char* folder, const char* name)
{
    char candidate[1024];
    int n = snprintf(candidate, sizeof candidate, "%s%c%s", folder, '\\', name);
    if (n < 0 || n >= size || n >= int(sizeof candidate)) return 0;
    memcpy(path, candidate, size_t(n) + 1);
    return 1;
}

// The plug-in's folder, with its separator, then name. A module path with
// no separator at all gets one; an empty one (or one too long to use)
// leaves name alone, relative to the current folder.
static void moduleFolderPath(const char* modulePath, const char* name, char* path, int size)
{
    char folder[1024];
    snprintf(folder, sizeof folder, "%s", modulePath ? modulePath : "");
    char* cut = strrchr(folder, '\\');
    if (!cut) cut = strrchr(folder, '/');
    if (cut) {
        cut[1] = 0;
    } else if (folder[0]) {
        size_t n = strlen(folder);
        if (n + 1 < sizeof folder) {
            folder[n] = '\\';
            folder[n + 1] = 0;
        }
    }
    int n = snprintf(path, size_t(size), "%s%s", folder, name);
    if (n < 0 || n >= size) snprintf(path, size_t(size), "%s", name);
}

int findConfigFile(const char* settingsDir, const char* modulePath, const char* name, char* path, int size)
{
    if (!path || size <= 0) return 0;
    snprintf(path, size_t(size), "%s", name);
    if (fileExists(path)) return 1;

    if (settingsDir && settingsDir[0] && joinPath(path, size, settingsDir, name) && fileExists(path)) return 1;

    const char* profile = getenv("USERPROFILE");
    if (profile && profile[0] && joinPath(path, size, profile, name) && fileExists(path)) return 1;

    moduleFolderPath(modulePath, name, path, size);
    return fileExists(path);
}

void loadConfigFile(const LWFileIOFuncs* io, const char* settingsDir, const char* modulePath, Settings* settings)
{
    applyDefaultSettings(settings);
    if (!findConfigFile(settingsDir, modulePath, CONFIG_FILE_NAME, settings->configPath, sizeof settings->configPath))
        return;
    if (!io) return;
    LWLoadState* ls = io->openLoad(settings->configPath, LWIO_SCENE);
    if (!ls) return;
    readSettings(settings, ls);
    io->closeLoad(ls);
}

static long fileSize(const char* path)
{
    FILE* f = fopen(path, "rb");
    if (!f) return -1;
    long size = fseek(f, 0, SEEK_END) == 0 ? ftell(f) : -1;
    fclose(f);
    return size;
}

struct ConfigWrite {
    const LWFileIOFuncs* io;
    const Settings* settings;
};

// The host reports no failure of its own: a file left empty counts as one.
static int writeConfigInto(const char* temporary, void* context)
{
    const ConfigWrite* w = static_cast<const ConfigWrite*>(context);
    LWSaveState* ss = w->io->openSave(temporary, LWIO_SCENE);
    if (!ss) return 0;
    writeSettings(w->settings, ss);
    w->io->closeSave(ss);
    return fileSize(temporary) > 0;
}

// The host's save state writes into a new temporary of ours, which takes
// the file's place once closed: a crash in the middle of the write leaves
// the earlier file whole.
int saveConfigFile(const LWFileIOFuncs* io, const Settings* settings, const FileReplacer* files)
{
    if (!io || !files) return 0;
    ConfigWrite w = {io, settings};
    return replaceFileThrough(files, settings->configPath, nullptr, writeConfigInto, &w);
}
