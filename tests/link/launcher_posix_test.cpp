// The launcher on POSIX: the installation record's first line, looked up once, and running as
// serving the pipe.
#include <gtest/gtest.h>

#include "link/launcher.h"
#include "link/pipe.h"
#include "tests/common/installation_sandbox.h"
#include "tests/common/test_dirs.h"
#include "tests/common/test_files.h"
#include "tests/common/test_platform.h"

namespace {

TEST(PosixLauncher, PathIsTheFirstLineOfTheRecordAndIsLookedUpOnceFound) {
    testkit::InstallationSandbox installation;
    std::string config;
    ASSERT_TRUE(testkit::getEnv("XDG_CONFIG_HOME", config));
    const auto record = [&](const std::string& text) {
        testkit::writeFile(config + "/Orvell/Skelda/Path", text);
    };
    EXPECT_EQ(applicationPath(), "");
    // Not found is not remembered.
    record("/opt/skelda/bin/skelda app\r\nsecond line\n");
    EXPECT_EQ(applicationPath(), "/opt/skelda/bin/skelda app");
    EXPECT_TRUE(isApplicationInstalled());
    // Found is, until the module is loaded afresh.
    record("/elsewhere/skelda\n");
    EXPECT_EQ(applicationPath(), "/opt/skelda/bin/skelda app");
    detail::forgetApplicationPath();
    EXPECT_EQ(applicationPath(), "/elsewhere/skelda");
}

TEST(PosixLauncher, ApplicationRunsWhileItServesItsPipe) {
    testkit::PipeSandbox sandbox;
    EXPECT_FALSE(isApplicationRunning());
    EXPECT_EQ(findApplicationWindow(), nullptr);
    {
        ServerPipe application(kApplicationPipeName);
        EXPECT_TRUE(isApplicationRunning());
        EXPECT_NO_THROW(switchToApplication());
    }
    EXPECT_FALSE(isApplicationRunning());
}

}  // namespace
