// The candidate paths of the configuration file search, when no file is
// found: the last one tried names the file in the plug-in's own folder.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "settings/config_file.h"

namespace {

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
