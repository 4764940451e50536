// The built module whose pipe cannot be made on POSIX: it loads and works without its server.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "tests/common/child_process.h"
#include "tests/common/program_path.h"
#include "tests/common/test_dirs.h"
#include "tests/module/host_session.h"

namespace {

TEST(ModuleServer, APipeDirectoryOpenToOthersLeavesTheModuleWithoutServer) {
    testkit::PipeSandbox pipes;
    const std::string dir = std::getenv("SKELDA_PIPE_DIR");
    ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
    ASSERT_EQ(::chmod(dir.c_str(), 0777), 0);
    const auto host = testkit::runProcess(
        testkit::programPath("skelda-host"), {},
        "load \"" + testkit::besideTests("Skelda.aex") + "\"\nmenu\nmenu\nreports\nquit\n");
    EXPECT_EQ(host.exitCode, 0) << host.output;
    EXPECT_NE(host.output.find(" result=0\n"), std::string::npos) << host.output;
    EXPECT_NE(host.output.find("13 disabled \"Import Project from Skelda\""), std::string::npos)
        << host.output;
    EXPECT_EQ(hostsession::count(host.output, "The Skelda application cannot reach this plug-in: "), 1u)
        << host.output;
    EXPECT_NE(host.output.find("is not private to this user"), std::string::npos) << host.output;
}

}  // namespace
