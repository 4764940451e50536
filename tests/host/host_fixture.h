#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "host/ae_exception.h"
#include "host/host_context.h"
#include "plugin/plugin_state.h"
#include "sim/host/sim_host.h"

// A simulated host whose basic suite the host layer uses, as after the entry.
class HostLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetPluginState();
        hostContext().basicSuite = host.basicSuite();
        hostContext().pluginId = 7;
    }
    void TearDown() override { resetPluginState(); }

    // The code and action of the host failure `f` raises; {0, "no failure"} when it returns.
    template <class F>
    static std::pair<A_Err, std::string> hostFailureOf(F&& f) {
        try {
            f();
        } catch (const AE_Exception& e) {
            return {e.code(), e.action()};
        }
        return {0, "no failure"};
    }

    simhost::SimHost host;
};
