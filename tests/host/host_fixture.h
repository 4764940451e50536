#pragma once

#include <string>
#include <utility>

#include "host/ae_exception.h"
#include "tests/common/in_process_host.h"

// A simulated host whose basic suite the host layer uses, as after the entry.
class HostLayerTest : public testkit::InProcessHost {
protected:
    explicit HostLayerTest(unsigned setUp = testkit::kHostContext) : InProcessHost(setUp) {}
    // Whatever a test did, the host layer leaves no suite acquired.
    void TearDown() override {
        EXPECT_TRUE(!suitesReleasedAtEnd || host.suites().outstanding().empty()) << "suites left acquired";
        // The host outlives what derived fixtures hold of it; the base's destructor ends it.
        resetPluginState();
    }

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

    simhost::SimHost& host = *InProcessHost::host;
    bool suitesReleasedAtEnd = true;
};
