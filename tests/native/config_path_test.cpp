// The candidate paths of the configuration file search, when no file is
// found: the last one tried names the file in the plug-in's own folder.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#ifdef _WIN32
#include <direct.h>
#endif

#include "settings/config_file.h"
#include "settings_test_util.h"

namespace {

// Makes folder\\name, as the search spells it: natively, where a backslash
// is no separator, a file of that very name in the current folder.
std::string touch(const std::string& folder, const std::string& name)
{
    std::string path = folder + "\\" + name;
#ifdef _WIN32
    _mkdir(folder.c_str());
#endif
    FILE* f = fopen(path.c_str(), "wb");
    if (f) fclose(f);
    return path;
}

void setProfile(const char* value)
{
#ifdef _WIN32
    _putenv_s("USERPROFILE", value ? value : "");
#else
    if (value)
        setenv("USERPROFILE", value, 1);
    else
        unsetenv("USERPROFILE");
#endif
}

class ConfigPathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setProfile(nullptr);
        memset(buffer, '#', sizeof buffer);
    }

    // The last candidate for a plug-in at modulePath.
    std::string lastCandidate(const char* modulePath)
    {
        EXPECT_EQ(findConfigFile(settingsDir, modulePath, "no-such-zr4.cfg", buffer, PATH_SIZE), 0);
        EXPECT_EQ(buffer[PATH_SIZE], '#') << "wrote past the path";
        return buffer;
    }

    static const int PATH_SIZE = 260;
    char buffer[PATH_SIZE + 16];
    const char* settingsDir = nullptr;
};

}  // namespace

TEST_F(ConfigPathTest, EndsInThePluginFolder)
{
    EXPECT_EQ(lastCandidate("C:\\LightWave\\Plugins\\zr40.p"), "C:\\LightWave\\Plugins\\no-such-zr4.cfg");
    EXPECT_EQ(lastCandidate("/opt/lw/plugins/zr40.p"), "/opt/lw/plugins/no-such-zr4.cfg");
    EXPECT_EQ(lastCandidate("C:\\mixed/dir\\zr40.p"), "C:\\mixed/dir\\no-such-zr4.cfg");
    setProfile("zrcfg-empty-profile");
    EXPECT_EQ(lastCandidate("C:\\LightWave\\Plugins\\zr40.p"), "C:\\LightWave\\Plugins\\no-such-zr4.cfg")
        << "a profile without the file is passed by";
}

TEST_F(ConfigPathTest, AModulePathWithoutSeparatorsGetsOne)
{
    EXPECT_EQ(lastCandidate("zr40.p"), "zr40.p\\no-such-zr4.cfg");
}

TEST_F(ConfigPathTest, AnEmptyOrUnusableModulePathLeavesTheNameAlone)
{
    EXPECT_EQ(lastCandidate(""), "no-such-zr4.cfg");
    EXPECT_EQ(lastCandidate(nullptr), "no-such-zr4.cfg");
    std::string deep = "C:\\" + std::string(300, 'd') + "\\zr40.p";
    EXPECT_EQ(lastCandidate(deep.c_str()), "no-such-zr4.cfg");
    EXPECT_EQ(lastCandidate(std::string(1023, 'm').c_str()), "no-such-zr4.cfg") << "no separator, no room";
}

TEST_F(ConfigPathTest, APathExactlyAsLongAsItsBufferIsUsedAndOneMoreIsNot)
{
    // "C:\" + folder + "\" + 15 characters of name: 259 characters and the terminator.
    std::string fits = "C:\\" + std::string(240, 'f') + "\\";
    EXPECT_EQ(lastCandidate((fits + "zr40.p").c_str()), fits + "no-such-zr4.cfg");
    std::string over = "C:\\" + std::string(241, 'f') + "\\";
    EXPECT_EQ(lastCandidate((over + "zr40.p").c_str()), "no-such-zr4.cfg");
}

TEST_F(ConfigPathTest, AnEmptyBufferIsLeftAlone)
{
    std::vector<char> tiny(4, '#');  // no terminator: reading it as a path overruns it
    EXPECT_EQ(findConfigFile(nullptr, "C:\\x\\zr40.p", "no-such-zr4.cfg", tiny.data(), 0), 0);
    EXPECT_EQ(tiny[0], '#');
}

TEST_F(ConfigPathTest, ASettingsPathThatFillsItsBufferWithoutTheEndIsNotUsed)
{
    // A file name of its own: the native tests run side by side.
    std::string inSettings = touch("zrcfg-settings", "zr4-exact.cfg");
    std::vector<char> exact(inSettings.size() + 2, '#');
    // Room for every character but the terminating zero: not usable.
    findConfigFile("zrcfg-settings", "C:\\x\\zr40.p", "zr4-exact.cfg", exact.data(), int(inSettings.size()));
    EXPECT_NE(std::string(exact.data()), inSettings);
    EXPECT_EQ(exact[inSettings.size()], '#') << "nothing written past the buffer";
    EXPECT_EQ(findConfigFile("zrcfg-settings", "C:\\x\\zr40.p", "zr4-exact.cfg", exact.data(),
                             int(inSettings.size()) + 1),
              1)
        << "one more byte holds it";
    EXPECT_EQ(std::string(exact.data()), inSettings);
    remove(inSettings.c_str());
}

TEST_F(ConfigPathTest, TheSettingsFolderComesBeforeTheProfile)
{
    std::string inSettings = touch("zrcfg-settings", "zr4-probe.cfg");
    std::string inProfile = touch("zrcfg-profile", "zr4-probe.cfg");
    setProfile("zrcfg-profile");
    EXPECT_EQ(findConfigFile("zrcfg-settings", "C:\\x\\zr40.p", "zr4-probe.cfg", buffer, PATH_SIZE), 1);
    EXPECT_EQ(std::string(buffer), inSettings);
    EXPECT_EQ(findConfigFile("", "C:\\x\\zr40.p", "zr4-probe.cfg", buffer, PATH_SIZE), 1);
    EXPECT_EQ(std::string(buffer), inProfile) << "an empty settings folder is skipped";
    remove(inProfile.c_str());
    EXPECT_EQ(findConfigFile("zrcfg-settings", "C:\\x\\zr40.p", "no-such-zr4.cfg", buffer, PATH_SIZE), 0)
        << "a settings folder without the file is passed by";
    remove(inSettings.c_str());
}

TEST_F(ConfigPathTest, AFileFoundWithoutTheHostsFileServiceLeavesTheDefaults)
{
    FILE* f = fopen("zr4.cfg", "wb");
    ASSERT_NE(f, nullptr);
    fputs("{ ZRConfig\nBlackWhite 0.5 0.6\n}\n", f);
    fclose(f);
    Settings s = unusualSettings(), expected = unusualSettings();
    applyDefaultSettings(&expected);
    loadConfigFile(nullptr, nullptr, "C:\\x\\zr40.p", &s);
    remove("zr4.cfg");
    EXPECT_TRUE(storedFieldsEqual(s, expected));
    EXPECT_STREQ(s.configPath, "zr4.cfg");
}

TEST_F(ConfigPathTest, LongFoldersNeverOverrunThePath)
{
    std::string longFolder(400, 'p');
    setProfile(longFolder.c_str());
    settingsDir = longFolder.c_str();
    std::string almost = "C:\\" + std::string(PATH_SIZE - 3 - 1 - 16, 'x') + "\\zr40.p";
    std::string result = lastCandidate(almost.c_str());
    EXPECT_LT(result.size(), size_t(PATH_SIZE));
}

TEST_F(ConfigPathTest, FindsAFileInTheCurrentFolderFirst)
{
    FILE* f = fopen("zr4-probe.cfg", "wb");
    ASSERT_NE(f, nullptr);
    fclose(f);
    EXPECT_EQ(findConfigFile(nullptr, "C:\\x\\zr40.p", "zr4-probe.cfg", buffer, PATH_SIZE), 1);
    EXPECT_STREQ(buffer, "zr4-probe.cfg");
    remove("zr4-probe.cfg");
}
