// The real plug-in as the host finds it: the exported descriptor with its
// two servers. Their activation through the stand-in host's loader is
// tests/scripts/zrhost_info.sh; what it writes, slot by slot, is native.
#include "plugin_fixture.h"

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
    EXPECT_EQ(session.plugin.startupData, reinterpret_cast<void*>(4));
    d->shutdown(session.plugin.startupData);
}
