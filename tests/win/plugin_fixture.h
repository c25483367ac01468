// Loads the real plug-in through the stand-in host's loader, as the host
// does, with every service offered unless a test leaves one out.
#pragma once

#include <gtest/gtest.h>

#include "zrhost/host_services.h"
#include "zrhost/host_session.h"

class PluginTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        applyDefaultHostConfig(hostConfig());
        resetServiceLookups();
        char error[512] = "";
        ASSERT_TRUE(loadPlugin("zr40.p", &session.plugin, error, sizeof error)) << error;
    }

    void TearDown() override { unloadPlugin(&session.plugin); }

    void omit(HostService service) { hostConfig()->omitted |= 1u << service; }

    HostSession session = {};
};
