// The built module's server in skelda-host, visited by skelda-app as the application would.
#include <gtest/gtest.h>

#include <string>

#include "tests/common/child_process.h"
#include "tests/common/program_path.h"
#include "tests/common/test_dirs.h"

namespace {

// Reads the host's output up to the marker line; false when it does not come.
bool readUpTo(testkit::ChildProcess& host, const std::string& marker, std::string& output) {
    while (const auto line = host.readLine()) {
        output += *line + "\n";
        if (*line == marker) return true;
    }
    return false;
}

// An empty frame from a client leaves the server serving; the host's quit still stops it.
TEST(ModuleServer, AClientsEmptyFrameDoesNotEndTheServer) {
    testkit::PipeSandbox pipes;
    testkit::ChildProcess host(testkit::programPath("skelda-host"), {});
    host.write("load \"" + testkit::besideTests("Skelda.aex") + "\"\necho @@\n");
    std::string output;
    ASSERT_TRUE(readUpTo(host, "@@", output)) << output;
    EXPECT_NE(output.find(" result=0"), std::string::npos) << output;
    for (int i = 0; i < 2; ++i) {
        testkit::runProcess(testkit::programPath("skelda-app"), {"send-raw", "00000000"});
        const auto asked = testkit::runProcess(testkit::programPath("skelda-app"), {"ask", "actions"});
        EXPECT_EQ(asked.exitCode, 0) << asked.output;
    }
    host.write("reports\nquit\n");
    EXPECT_EQ(host.wait(), 0);
}

}  // namespace
