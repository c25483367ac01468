#include "disk_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#ifdef _WIN32
#include "platform/file_replace_win.h"

const FileReplacer* diskFiles()
{
    return windowsFiles();
}

void makeEmptyFolder(const std::string& folder)
{
    for (const std::string& name : filesIn(folder)) remove((folder + name).c_str());
    mkdir(folder.c_str());
}
#else

static int createExclusive(const char* target, const char* extension, char* temporary, size_t size)
{
    for (unsigned n = 0; n < 64; n++) {
        if (!temporaryPath(target, extension, unsigned(getpid()) * 64u + n, temporary, size)) return 0;
        int fd = open(temporary, O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd >= 0) {
            close(fd);
            return 1;
        }
    }
    return 0;
}

static int renameOver(const char* temporary, const char* target)
{
    return rename(temporary, target) == 0;
}

const FileReplacer* diskFiles()
{
    static const FileReplacer files = {createExclusive, renameOver, nullptr};
    return &files;
}

void makeEmptyFolder(const std::string& folder)
{
    for (const std::string& name : filesIn(folder)) remove((folder + name).c_str());
    mkdir(folder.c_str(), 0755);
}
#endif

std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* d = opendir(folder.c_str())) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.') names.push_back(e->d_name);
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

static RecordedFiles* g_record;

static int recordTemporary(const char* target, const char* extension, char* temporary, size_t size)
{
    if (!temporaryPath(target, extension, 0, temporary, size)) return 0;
    g_record->temporaries.push_back(temporary);
    return 1;
}

static int recordReplace(const char* temporary, const char* target)
{
    if (g_record->refuseReplace) return 0;
    g_record->replaced.emplace_back(temporary, target);
    return 1;
}

const FileReplacer* recordingFiles(RecordedFiles* record)
{
    static const FileReplacer files = {recordTemporary, recordReplace, nullptr};
    g_record = record;
    return &files;
}
