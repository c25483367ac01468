// The configuration file as the plug-in finds, reads and writes it, with
// real files in real folders.
#include "plugin_fixture.h"
#include "settings_capture.h"

namespace {

class ConfigFileTest : public PluginTest {
protected:
    // Activates the handler and returns the settings it then holds.
    std::string activateAndCapture()
    {
        activateServers(&session, 4);
        EXPECT_EQ(session.handlerResult, 0);
        return capture();
    }

    std::string capture()
    {
        LWInstance inst = session.instanceFuncs.create(nullptr, nullptr, nullptr);
        std::string text = savedSettings(session, inst);
        session.instanceFuncs.destroy(inst);
        return text;
    }

    std::string levelsIn(const std::string& text) { return leafValues(text, "BlackWhite"); }

    static std::string levelsFile(const char* levels) { return configText(std::string("BlackWhite ") + levels); }
};

}  // namespace

TEST_F(ConfigFileTest, WithoutAnyFileTheDefaultsStandAndUnloadCreatesOneBesideThePlugin)
{
    EXPECT_EQ(levelsIn(activateAndCapture()), "0 1");
    unload();
    ASSERT_TRUE(fileExists(inPlugin("zr4.cfg")));
    EXPECT_EQ(levelsIn(readFile(inPlugin("zr4.cfg"))), "0 1");
    EXPECT_FALSE(fileExists(inCurrent("zr4.cfg")));
    EXPECT_FALSE(fileExists(inProfile("zr4.cfg")));
}

// The file is replaced in one step: held open by another program so that
// it cannot be replaced, it keeps its earlier contents whole, and nothing
// is left beside it.
TEST_F(ConfigFileTest, AWriteThatCannotReplaceTheFileLeavesItWhole)
{
    writeFile(inCurrent("zr4.cfg"), levelsFile("0.25 0.75"));
    activateAndCapture();
    HANDLE held = holdWithoutDeleteSharing(inCurrent("zr4.cfg"));
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    unload();
    CloseHandle(held);
    EXPECT_EQ(readFile(inCurrent("zr4.cfg")), levelsFile("0.25 0.75"));
    EXPECT_EQ(filesIn(currentDir), std::vector<std::string>{"zr4.cfg"});
}

TEST_F(ConfigFileTest, UnloadWithoutActivationWritesNothing)
{
    unload();
    EXPECT_FALSE(fileExists(inPlugin("zr4.cfg")));
    load();
    activateServers(&session, 3);  // refused
    unload();
    EXPECT_FALSE(fileExists(inPlugin("zr4.cfg")));
}

TEST_F(ConfigFileTest, TheCurrentFolderBeatsTheProfileAndIsRewrittenThere)
{
    writeFile(inCurrent("zr4.cfg"), levelsFile("0.25 0.75"));
    writeFile(inProfile("zr4.cfg"), levelsFile("0.5 0.5"));
    EXPECT_EQ(levelsIn(activateAndCapture()), "0.25 0.75");
    unload();
    std::string rewritten = readFile(inCurrent("zr4.cfg"));
    EXPECT_NE(rewritten.find("CloseRenderStatus 1"), std::string::npos) << "a whole block is written back";
    EXPECT_EQ(levelsIn(rewritten), "0.25 0.75");
    EXPECT_EQ(readFile(inProfile("zr4.cfg")), levelsFile("0.5 0.5"));
    EXPECT_FALSE(fileExists(inPlugin("zr4.cfg")));
}

// Real Windows folders, each with a file of its own levels: the first
// place that holds one wins.
TEST_F(ConfigFileTest, TheSettingsFolderThenTheProfileThenThePluginFolder)
{
    writeFile(inSettings("zr4.cfg"), levelsFile("0.125 1"));
    writeFile(inProfile("zr4.cfg"), levelsFile("0.5 0.5"));
    writeFile(inPlugin("zr4.cfg"), levelsFile("0.75 1"));
    EXPECT_EQ(levelsIn(activateAndCapture()), "0.125 1");
    hostConfig()->settingsDir[0] = 0;
    EXPECT_EQ(levelsIn(activateAndCapture()), "0.5 0.5");
    _putenv_s("USERPROFILE", "");
    EXPECT_EQ(levelsIn(activateAndCapture()), "0.75 1");
}

TEST_F(ConfigFileTest, ASceneChangesTheDefaultsUntilTheNextActivation)
{
    writeFile(inCurrent("zr4.cfg"), levelsFile("0.25 1"));
    EXPECT_EQ(levelsIn(activateAndCapture()), "0.25 1");

    std::string scene = configText("BlackWhite 0.1 1");
    LWLoadState* ls = hostFileIO()->openLoad(nullptr, LWIO_SCENE);
    EXPECT_EQ(ls, nullptr);
    writeFile(inCurrent("scene.txt"), scene);
    ls = hostFileIO()->openLoad(inCurrent("scene.txt").c_str(), LWIO_SCENE);
    ASSERT_NE(ls, nullptr);
    LWInstance inst = session.instanceFuncs.create(nullptr, nullptr, nullptr);
    EXPECT_EQ(session.instanceFuncs.load(inst, ls), nullptr);
    hostFileIO()->closeLoad(ls);
    session.instanceFuncs.destroy(inst);
    EXPECT_EQ(levelsIn(capture()), "0.100000001 1");

    EXPECT_EQ(levelsIn(activateAndCapture()), "0.25 1");
}

TEST_F(ConfigFileTest, DamagedFilesLeaveTheDefaultsOrWhatSurvived)
{
    std::string garbage;
    unsigned seed = 12345;
    for (int i = 0; i < 4096; i++) garbage += char((seed = seed * 1103515245u + 12345u) >> 16);
    const std::string longFace(1000, 'F');
    struct Case {
        std::string file;
        std::string expectLevels;
    } cases[] = {
        {garbage, "0 1"},
        {"", "0 1"},
        {"{ ZRConfig\n  BlackWhite 0.5", "0.5 1"},                 // cut mid-block
        {"{ ZRConfig\n  BlackWhite 0.5 0.75\n  { TextOptions\n    Font \"" + longFace, "0.5 0.75"},
        {"{ ZRConfig\n{ TextOptions\nText \"" + std::string(100000, 't') + "\"\n}\n}\n", "0 1"},
    };
    for (const Case& c : cases) {
        writeFile(inCurrent("zr4.cfg"), c.file);
        std::string text = activateAndCapture();
        EXPECT_EQ(levelsIn(text), c.expectLevels);
        EXPECT_NE(text.find("CloseRenderStatus"), std::string::npos);
    }
}
