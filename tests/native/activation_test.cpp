// Activation of both servers against a host of the test's own: which
// services are asked for, in which order, and which slots of the host's
// records are written, each slot called to see that it is the right one.
#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "host/activation.h"
#include "host/services.h"
#include "host/session.h"
#include "host/viewer_handoff.h"
#include "image/image.h"
#include "settings/settings.h"
#include "settings_test_util.h"
#include "zrhost/text_state.h"

namespace {

const unsigned char MARK = 0xA5;

std::vector<std::string> g_asked;
std::string g_missing;
HostDisplayInfo g_display = {nullptr, &g_display};
LWImageUtil g_imageUtil;
Image* g_handed;

const char* noFolder(const char*)
{
    return nullptr;
}

// A configuration file that another test leaves in the current folder is
// found, and cannot be opened.
LWSaveState* openNoSave(const char*, int) { return nullptr; }
LWLoadState* openNoLoad(const char*, int) { return nullptr; }
void closeSave(LWSaveState*) {}
void closeLoad(LWLoadState*) {}
LWFileIOFuncs g_fileIO = {openNoSave, closeSave, openNoLoad, closeLoad};

void* lookup(const char* name, int)
{
    g_asked.push_back(name);
    if (g_missing == name) return nullptr;
    if (strcmp(name, LWHOSTDISPLAYINFO_GLOBAL) == 0) return &g_display;
    if (strcmp(name, LWDIRINFOFUNC_GLOBAL) == 0) return reinterpret_cast<void*>(noFolder);
    if (strcmp(name, LWIMAGEUTIL_GLOBAL) == 0) return &g_imageUtil;
    if (strcmp(name, LWFILEIOFUNCS_GLOBAL) == 0) return &g_fileIO;
    return nullptr;
}

// The about box as the options button asks for it: over which window.
std::vector<void*> g_aboutOwners;
void recordAbout(void* hostWindow)
{
    g_aboutOwners.push_back(hostWindow);
}

void keepImage(Image* image)
{
    freeImage(g_handed);
    g_handed = image;
}

void closeNothing() {}
uint32_t noTime() { return 0; }

// Records pre-filled with a marker, so that slots the plug-in must not
// write can be told from those it wrote.
struct MarkedRecords {
    LWInstanceFuncs funcs;
    LWFrameBufferHandler handler;
    LWInterface iface;
    MarkedRecords()
    {
        memset(this, MARK, sizeof *this);
        handler.inst = &funcs;
    }
};

bool allMarked(const void* p, size_t n)
{
    const unsigned char* b = static_cast<const unsigned char*>(p);
    for (size_t i = 0; i < n; i++)
        if (b[i] != MARK) return false;
    return true;
}

class ActivationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_asked.clear();
        g_missing.clear();
        *hostServices() = {};
        setSessionPlatform({keepImage, closeNothing, noTime, recordAbout});
    }
    void TearDown() override
    {
        keepImage(nullptr);
        *hostServices() = {};
    }

    bool handlerUntouched() const
    {
        return r.handler.inst == &r.funcs && allMarked(&r.funcs, sizeof r.funcs) &&
               allMarked(&r.handler.item, sizeof r.handler - offsetof(LWFrameBufferHandler, item));
    }

    MarkedRecords r;
};

}  // namespace

TEST_F(ActivationTest, OtherVersionsAreRefusedAndTouchNothing)
{
    for (int32_t version : {3, 5, 0, -4}) {
        EXPECT_EQ(activateHandler(version, lookup, &r.handler, nullptr), 1) << version;
        EXPECT_EQ(activateInterface(version, lookup, &r.iface, nullptr), 1) << version;
    }
    EXPECT_TRUE(handlerUntouched());
    EXPECT_TRUE(allMarked(&r.iface, sizeof r.iface));
    EXPECT_TRUE(g_asked.empty());
    EXPECT_FALSE(pluginWasActivated());
}

// Each slot is called: a table with two functions swapped would fail.
TEST_F(ActivationTest, HandlerFillsExactlyItsSlotsWithTheRightFunctions)
{
    ASSERT_EQ(activateHandler(4, lookup, &r.handler, nullptr), 0);
    EXPECT_TRUE(allMarked(&r.funcs.priv, sizeof r.funcs.priv));
    EXPECT_TRUE(allMarked(&r.funcs.descln, sizeof r.funcs.descln));
    EXPECT_TRUE(allMarked(&r.handler.item, sizeof r.handler.item));
    EXPECT_EQ(r.handler.type, 1);
    EXPECT_TRUE(pluginWasActivated());
    EXPECT_EQ(hostWindow(), g_display.window);

    LWError error = nullptr;
    LWInstance inst = r.funcs.create(nullptr, nullptr, &error);
    ASSERT_NE(inst, nullptr);
    EXPECT_EQ(error, nullptr) << "an instance that was made reports no error";
    const FrameBufferSession* s = static_cast<const FrameBufferSession*>(inst);
    EXPECT_EQ(r.handler.open(inst, 2, 1), nullptr);
    EXPECT_EQ(s->width, 2);
    EXPECT_EQ(r.handler.begin(inst), nullptr);
    EXPECT_EQ(s->beginCount, 1);
    const float row[2] = {0.25f, 0.5f};
    EXPECT_EQ(r.handler.write(inst, row, row, row, row), nullptr);
    EXPECT_EQ(s->row, 1);
    r.handler.pause(inst);
    ASSERT_NE(g_handed, nullptr);
    EXPECT_EQ(g_handed->green[1], 0.5f);
    EXPECT_EQ(r.handler.begin(inst), nullptr);
    r.handler.close(inst);
    EXPECT_EQ(s->image, nullptr) << "close frees the frame begun and not paused";

    Settings saved = unusualSettings();
    *settingsRecord() = saved;
    LWSaveState* ss = newTextSaveState(LWIO_SCENE);
    EXPECT_EQ(r.funcs.save(inst, ss), nullptr);
    std::string text = textSaveStateText(ss);
    freeTextSaveState(ss);
    applyDefaultSettings(settingsRecord());
    LWLoadState* ls = newTextLoadState(text.data(), text.size(), LWIO_SCENE);
    EXPECT_EQ(r.funcs.load(inst, ls), nullptr);
    freeTextLoadState(ls);
    EXPECT_TRUE(storedFieldsEqual(*settingsRecord(), saved)) << "save then load carries the settings";
    EXPECT_EQ(r.funcs.copy(inst, inst), nullptr);
    r.funcs.destroy(inst);
    applyDefaultSettings(settingsRecord());
}

TEST_F(ActivationTest, HandlerAsksForItsFourServicesInOrderThenReadsTheFile)
{
    settingsRecord()->defaultBlack = 0.5f;
    ASSERT_EQ(activateHandler(4, lookup, &r.handler, nullptr), 0);
    EXPECT_EQ(g_asked, (std::vector<std::string>{"Host Display Info", "Directory Info", "Image Utility", "File IO"}));
    EXPECT_EQ(settingsRecord()->defaultBlack, 0.0f) << "every activation starts again from the defaults";
    EXPECT_EQ(hostServices()->fileIO, &g_fileIO);
    EXPECT_EQ(hostServices()->imageUtil, &g_imageUtil);
}

TEST_F(ActivationTest, AMissingServiceGivesTwoAndLeavesRecordsAndSettingsAlone)
{
    const char* required[] = {"Host Display Info", "Directory Info", "Image Utility", "File IO"};
    for (size_t i = 0; i < 4; i++) {
        g_missing = required[i];
        g_asked.clear();
        settingsRecord()->defaultBlack = 0.5f;
        EXPECT_EQ(activateHandler(4, lookup, &r.handler, nullptr), 2) << required[i];
        EXPECT_EQ(g_asked.size(), i + 1) << "the lookups stop at the first missing one";
        EXPECT_TRUE(handlerUntouched()) << required[i];
        EXPECT_EQ(settingsRecord()->defaultBlack, 0.5f) << "no configuration was read";
        EXPECT_FALSE(pluginWasActivated());
        EXPECT_EQ(activateInterface(4, lookup, &r.iface, nullptr), 0) << "the interface needs none of them";
        *hostServices() = {};
    }
    applyDefaultSettings(settingsRecord());
}

TEST_F(ActivationTest, InterfaceFillsOptionsAndAsksForTheHostWindowOnlyWhenShown)
{
    ASSERT_EQ(activateInterface(4, lookup, &r.iface, nullptr), 0);
    EXPECT_TRUE(allMarked(&r.iface.inst, sizeof r.iface.inst));
    EXPECT_EQ(r.iface.panel, nullptr);
    EXPECT_EQ(r.iface.command, nullptr);
    EXPECT_TRUE(g_asked.empty());
    EXPECT_TRUE(pluginWasActivated());
    g_aboutOwners.clear();
    EXPECT_EQ(r.iface.options(nullptr), nullptr);
    EXPECT_EQ(g_asked, (std::vector<std::string>{"Host Display Info"}));
    EXPECT_EQ(hostWindow(), g_display.window);
    EXPECT_EQ(g_aboutOwners, (std::vector<void*>{g_display.window})) << "the about box, over the host's window";
}

TEST_F(ActivationTest, StartupGivesFourAndTheModulePathIsKeptWhole)
{
    EXPECT_EQ(pluginStartup(), reinterpret_cast<void*>(4));
    pluginShutdown(nullptr);
    std::string longest(259, 'p');
    setPluginModulePath(longest.c_str());
    EXPECT_EQ(std::string(pluginModulePath()), longest);
    setPluginModulePath((longest + "xyz").c_str());
    EXPECT_EQ(std::string(pluginModulePath()), longest) << "a longer path is cut to the buffer";
    setPluginModulePath(nullptr);
    EXPECT_STREQ(pluginModulePath(), "");
}
