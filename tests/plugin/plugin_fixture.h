#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "plugin/plugin_entry.h"
#include "plugin/plugin_state.h"
#include "sim/host/sim_host.h"
#include "tests/common/test_dirs.h"

// The plug-in entered in-process into a fresh simulated host.
class PluginTest : public ::testing::Test {
protected:
    void SetUp() override { freshHost(); }
    void TearDown() override {
        host.reset();
        resetPluginState();
    }
    void freshHost() {
        host.reset();
        resetPluginState();
        host = std::make_unique<simhost::SimHost>();
    }
    A_Err enter() { return host->enter(skeldaPluginMain, "in-process"); }

    // The plug-in's own pipe lives apart from other tests'.
    testkit::PipeSandbox pipes;
    std::unique_ptr<simhost::SimHost> host;
};
