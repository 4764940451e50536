#pragma once

// A fresh simulated host in this process for each test, with the process-wide state of the plug-in
// reset before and after it.

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "host/host_context.h"
#include "plugin/plugin_state.h"
#include "sim/host/sim_host.h"
#include "tests/common/test_dirs.h"

namespace testkit {

// What a test needs besides the host; or'ed together.
enum InProcessSetUp : unsigned {
    kHostContext = 1,  // the host layer's context points at the host, as after the plug-in's entry
    kStandIn = 2,      // ... entered by a stand-in for the plug-in, so that its id is the host's
    kNewProject = 4,   // an open project
    kPipeSandbox = 8,  // a pipe directory of the test's own, for a plug-in that listens
};

class InProcessHost : public ::testing::Test {
protected:
    // The host is made here rather than in SetUp so that fixtures may hold it by reference.
    explicit InProcessHost(unsigned setUp) : setUp_(setUp) {
        if (setUp & kPipeSandbox) pipes_.emplace();
        freshHost();
    }
    ~InProcessHost() override { TearDown(); }
    void TearDown() override {
        host.reset();
        resetPluginState();
    }

    // Replaces the host by a new one set up alike; fixtures holding it by reference must not.
    void freshHost() {
        host.reset();
        resetPluginState();
        host = std::make_unique<simhost::SimHost>();
        if (setUp_ & (kHostContext | kStandIn)) {
            hostContext().basicSuite = host->basicSuite();
            hostContext().pluginId = 7;
        }
        if (setUp_ & kStandIn) {
            host->enter(rememberId, "stand-in");
            hostContext().pluginId = enteredAs();
        }
        if (setUp_ & kNewProject) host->model().newProject();
    }

    std::unique_ptr<simhost::SimHost> host;

private:
    static AEGP_PluginID& enteredAs() {
        static AEGP_PluginID id = 0;
        return id;
    }
    static A_Err AEGP_API rememberId(AEGP_ENTRY_PARAMETERS(, , , id, )) {
        enteredAs() = id;
        return A_Err_NONE;
    }

    unsigned setUp_;
    std::optional<PipeSandbox> pipes_;
};

}  // namespace testkit
