#pragma once

#include <gtest/gtest.h>

#include "host/sim_host.h"
#include "plugin/host_context.h"
#include "plugin/plugin_state.h"

// A simulated host whose basic suite the host layer uses, as after the entry.
class HostLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetPluginState();
        hostContext().basicSuite = host.basicSuite();
        hostContext().pluginId = 7;
    }
    void TearDown() override { ResetPluginState(); }

    simhost::SimHost host;
};
