#include "plugin_fixture.h"

#include <windows.h>
#include <psapi.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>

#include "zrhost/render.h"
#include "zrhost/viewer_remote.h"

namespace {

// A folder no other test uses: process ids repeat under Wine, so the tick
// count and a retry make the name unique.
std::string makeRoot()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    static int counter;
    for (int attempt = 0;; attempt++) {
        char name[MAX_PATH + 64];
        snprintf(name, sizeof name, "%szrtest-%lu-%lu-%d", temp, GetCurrentProcessId(), GetTickCount(),
                 ++counter + attempt * 1000);
        if (CreateDirectoryA(name, nullptr) || attempt > 50) return name;
    }
}

void removeTree(const std::string& dir)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = dir + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

std::string moduleFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    char* cut = strrchr(path, '\\');
    if (cut) *cut = 0;
    return path;
}

}  // namespace

void PluginTest::SetUp()
{
    applyDefaultHostConfig(hostConfig());
    resetServiceLookups();
    root = makeRoot();
    pluginDir = root + "\\plugin";
    currentDir = root + "\\current";
    profileDir = root + "\\profile";
    settingsDir = root + "\\settings";
    for (const std::string& d : {pluginDir, currentDir, profileDir, settingsDir})
        ASSERT_TRUE(CreateDirectoryA(d.c_str(), nullptr)) << d;
    ASSERT_TRUE(CopyFileA((moduleFolder() + "\\zr40.p").c_str(), inPlugin("zr40.p").c_str(), FALSE));
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    previousDir = previous;
    SetCurrentDirectoryA(currentDir.c_str());
    _putenv_s("USERPROFILE", profileDir.c_str());
    snprintf(hostConfig()->settingsDir, MAX_PATH, "%s", settingsDir.c_str());
    load();
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (int(GetTickCount() - start) > timeoutMs) return false;
        pumpMessages(10);
    }
    return true;
}

bool closeOpenViewers(int waitMs)
{
    for (HWND viewer = findViewer(waitMs); viewer; viewer = findViewer(waitMs)) {
        PostMessageA(viewer, WM_CLOSE, 0, 0);
        if (!waitUntil([&] { return !IsWindow(viewer); }, 10000)) return false;
        pumpMessages(100);  // the display thread ends after its window
    }
    return true;
}

// The library leaves the process when the test's reference and the viewer
// thread's are gone; a viewer that was still starting when the test ended
// is closed as soon as it appears.
void PluginTest::TearDown()
{
    closeOpenViewers();  // a viewer left open keeps the library loaded
    unload();
    std::string path = inPlugin("zr40.p");
    DWORD start = GetTickCount();
    while (GetModuleHandleA(path.c_str()) && GetTickCount() - start < 10000) {
        closeOpenViewers();
        waitUntilUnloaded(path.c_str(), 50);
    }
    EXPECT_EQ(GetModuleHandleA(path.c_str()), nullptr) << "the library stayed loaded";
    SetCurrentDirectoryA(previousDir.c_str());
    removeTree(root);
}

void PluginTest::load()
{
    char error[512] = "";
    ASSERT_TRUE(loadPlugin(inPlugin("zr40.p").c_str(), &session.plugin, error, sizeof error)) << error;
}

bool fileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string readFile(const std::string& path)
{
    std::string text;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return text;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
    fclose(f);
    return text;
}

void writeFile(const std::string& path, const std::string& text)
{
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
}

std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do
        if (fd.cFileName[0] != '.') names.push_back(fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

HANDLE holdWithoutDeleteSharing(const std::string& path)
{
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                       nullptr);
}

size_t committedBytes()
{
    PROCESS_MEMORY_COUNTERS_EX pmc = {};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc);
    return pmc.PagefileUsage;
}
