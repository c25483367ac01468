// Activation of both servers by the real plug-in, as the host performs it.
#include <string.h>

#include "plugin_fixture.h"

namespace {

const unsigned char MARK = 0xA5;

// Records pre-filled with a marker, so slots the plug-in must not write
// can be told from slots it wrote.
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

bool allMarked(const void* p, size_t n, size_t from = 0)
{
    const unsigned char* b = static_cast<const unsigned char*>(p);
    for (size_t i = from; i < n; i++)
        if (b[i] != MARK) return false;
    return true;
}

void* markedPointer()
{
    void* p;
    memset(&p, MARK, sizeof p);
    return p;
}

int activateHandlerWith(HostSession& s, int32_t version, MarkedRecords& r)
{
    return findServer(&s.plugin, LWFRAMEBUFFER_HCLASS)->activate(version, hostGlobal, &r.handler, nullptr);
}

int activateInterfaceWith(HostSession& s, int32_t version, MarkedRecords& r)
{
    return findServer(&s.plugin, LWFRAMEBUFFER_ICLASS)->activate(version, hostGlobal, &r.iface, nullptr);
}

}  // namespace

using ModuleDescriptorTest = PluginTest;

TEST_F(ModuleDescriptorTest, NamesTwoZr40ServersAndEndsWithANullRecord)
{
    const ModuleDescriptor* d = session.plugin.descriptor;
    EXPECT_EQ(d->sysSync, 0x04121994u);
    EXPECT_EQ(d->sysVersion, 3u);
    EXPECT_EQ(d->sysMachine, 0x300u);
    ASSERT_NE(d->serverDefs, nullptr);
    EXPECT_STREQ(d->serverDefs[0].className, "FrameBufferHandler");
    EXPECT_STREQ(d->serverDefs[0].name, "ZR40");
    EXPECT_EQ(d->serverDefs[0].tagInfo, nullptr);
    EXPECT_STREQ(d->serverDefs[1].className, "FrameBufferInterface");
    EXPECT_STREQ(d->serverDefs[1].name, "ZR40");
    EXPECT_EQ(d->serverDefs[1].tagInfo, nullptr);
    const ServerRecord& end = d->serverDefs[2];
    EXPECT_TRUE(!end.className && !end.name && !end.activate && !end.tagInfo);
}

TEST_F(ModuleDescriptorTest, StartupReturnsFourAndShutdownAcceptsIt)
{
    EXPECT_EQ(session.plugin.startupData, reinterpret_cast<void*>(4));
    session.plugin.descriptor->shutdown(session.plugin.startupData);
}

using ActivationTest = PluginTest;

TEST_F(ActivationTest, OtherVersionsAreRefusedAndTouchNothing)
{
    for (int32_t version : {3, 5, 0, -4}) {
        MarkedRecords r;
        EXPECT_EQ(activateHandlerWith(session, version, r), 1) << version;
        EXPECT_EQ(activateInterfaceWith(session, version, r), 1) << version;
        EXPECT_EQ(r.handler.inst, &r.funcs);
        EXPECT_TRUE(allMarked(&r.funcs, sizeof r.funcs));
        EXPECT_TRUE(allMarked(&r.handler, sizeof r.handler, sizeof r.handler.inst));
        EXPECT_TRUE(allMarked(&r.iface, sizeof r.iface));
    }
    EXPECT_EQ(serviceLookupCount(SERVICE_HOST_DISPLAY), 0);
}

TEST_F(ActivationTest, HandlerFillsExactlyItsSlots)
{
    MarkedRecords r;
    ASSERT_EQ(activateHandlerWith(session, 4, r), 0);

    EXPECT_EQ(r.funcs.priv, markedPointer());
    EXPECT_NE(r.funcs.create, nullptr);
    EXPECT_NE(r.funcs.destroy, nullptr);
    EXPECT_NE(r.funcs.copy, nullptr);
    EXPECT_NE(r.funcs.load, nullptr);
    EXPECT_NE(r.funcs.save, nullptr);
    EXPECT_TRUE(allMarked(&r.funcs.descln, sizeof r.funcs.descln));

    EXPECT_EQ(r.handler.inst, &r.funcs);
    EXPECT_EQ(r.handler.item, markedPointer());
    EXPECT_EQ(r.handler.type, 1);
    void* frameFunctions[] = {(void*)r.handler.open, (void*)r.handler.close, (void*)r.handler.begin,
                              (void*)r.handler.write, (void*)r.handler.pause};
    for (size_t i = 0; i < 5; i++) {
        EXPECT_NE(frameFunctions[i], nullptr);
        EXPECT_NE(frameFunctions[i], markedPointer());
        for (size_t j = 0; j < i; j++) EXPECT_NE(frameFunctions[i], frameFunctions[j]);
    }
}

TEST_F(ActivationTest, HandlerAsksForItsFourServicesOnce)
{
    MarkedRecords r;
    ASSERT_EQ(activateHandlerWith(session, 4, r), 0);
    for (HostService s : {SERVICE_HOST_DISPLAY, SERVICE_DIRECTORY, SERVICE_IMAGE_UTIL, SERVICE_FILE_IO})
        EXPECT_EQ(serviceLookupCount(s), 1) << serviceName(s);
    EXPECT_EQ(serviceLookupCount(SERVICE_SCENE_INFO), 0);
}

TEST_F(ActivationTest, InterfaceFillsOptionsAndAsksForNothing)
{
    MarkedRecords r;
    ASSERT_EQ(activateInterfaceWith(session, 4, r), 0);
    EXPECT_EQ(r.iface.inst, markedPointer());
    EXPECT_EQ(r.iface.panel, nullptr);
    EXPECT_NE(r.iface.options, nullptr);
    EXPECT_EQ(r.iface.command, nullptr);
    for (int s = 0; s < SERVICE_COUNT; s++) EXPECT_EQ(serviceLookupCount(HostService(s)), 0);
    EXPECT_EQ(r.iface.options(nullptr), nullptr);
    EXPECT_EQ(serviceLookupCount(SERVICE_HOST_DISPLAY), 1);
}

class MissingServiceTest : public PluginTest, public ::testing::WithParamInterface<HostService> {};

TEST_P(MissingServiceTest, HandlerGetsTwoAndStaysUnfilledWhileInterfaceActivates)
{
    omit(GetParam());
    MarkedRecords r;
    EXPECT_EQ(activateHandlerWith(session, 4, r), 2);
    EXPECT_TRUE(allMarked(&r.funcs, sizeof r.funcs));
    EXPECT_TRUE(allMarked(&r.handler, sizeof r.handler, sizeof r.handler.inst));
    EXPECT_EQ(activateInterfaceWith(session, 4, r), 0);
    EXPECT_NE(r.iface.options, nullptr);
}

INSTANTIATE_TEST_SUITE_P(RequiredServices, MissingServiceTest,
                         ::testing::Values(SERVICE_HOST_DISPLAY, SERVICE_DIRECTORY, SERVICE_IMAGE_UTIL,
                                           SERVICE_FILE_IO));

TEST_F(ActivationTest, SceneAndInterfaceInfoAreNotNeededToActivate)
{
    omit(SERVICE_SCENE_INFO);
    omit(SERVICE_INTERFACE_INFO);
    activateServers(&session, 4);
    EXPECT_EQ(session.handlerResult, 0);
    EXPECT_EQ(session.interfaceResult, 0);
}

TEST_F(ActivationTest, ServicesAreLookedUpInTheirOrderAndStopAtTheFirstMissing)
{
    omit(SERVICE_IMAGE_UTIL);
    activateServers(&session, 4);
    EXPECT_EQ(session.handlerResult, 2);
    EXPECT_EQ(serviceLookupCount(SERVICE_DIRECTORY), 1);
    EXPECT_EQ(serviceLookupCount(SERVICE_IMAGE_UTIL), 1);
    EXPECT_EQ(serviceLookupCount(SERVICE_FILE_IO), 0);
}
