// Loads the real plug-in through the stand-in host's loader, as the host
// does, with every service offered unless a test leaves one out.
//
// Each test gets folders of its own: the plug-in is copied into one (so its
// configuration file lands there), the current folder, the user profile
// and the host's settings folder are others. Nothing outside them is
// touched, and tests can run side by side.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "zrhost/host_services.h"
#include "zrhost/host_session.h"

class PluginTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void omit(HostService service) { hostConfig()->omitted |= 1u << service; }

    // Loads (again) the test's copy of the plug-in.
    void load();
    void unload() { unloadPlugin(&session.plugin); }

    // Path of a file in one of the test's folders.
    std::string inPlugin(const char* name) const { return pluginDir + "\\" + name; }
    std::string inCurrent(const char* name) const { return currentDir + "\\" + name; }
    std::string inProfile(const char* name) const { return profileDir + "\\" + name; }
    std::string inSettings(const char* name) const { return settingsDir + "\\" + name; }

    HostSession session = {};
    std::string root, pluginDir, currentDir, profileDir, settingsDir;

private:
    std::string previousDir;
};

// Pumps the test thread's messages until done() holds or timeoutMs pass;
// whether it held.
bool waitUntil(const std::function<bool()>& done, int timeoutMs);
// Closes the viewer, and any that frames still on their way open after it
// (they are not lost), until none comes back within waitMs; whether every
// one closed.
bool closeOpenViewers(int waitMs = 0);

bool fileExists(const std::string& path);
// The names in a folder, sorted.
std::vector<std::string> filesIn(const std::string& folder);
// Opens a file as a program that keeps others from deleting or replacing
// it while it is open; close the handle when done.
HANDLE holdWithoutDeleteSharing(const std::string& path);

// The process's committed memory: the pagefile figure, which Wine reports
// (its private usage reads 0).
size_t committedBytes();
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);
