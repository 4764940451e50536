// The launcher on POSIX: the installation record, its caching, and running as serving the pipe.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/program_path.h"
#include "common/test_dirs.h"
#include "common/test_platform.h"
#include "link/launcher.h"
#include "link/pipe.h"

namespace {

// Points XDG_CONFIG_HOME at a fresh directory and forgets the looked-up path, both ways.
class ConfigSandbox {
public:
    ConfigSandbox() {
        had_ = testkit::getEnv("XDG_CONFIG_HOME", previous_);
        testkit::setEnv("XDG_CONFIG_HOME", dir_.path());
        detail::forgetApplicationPath();
    }
    ~ConfigSandbox() {
        if (had_)
            testkit::setEnv("XDG_CONFIG_HOME", previous_);
        else
            testkit::unsetEnv("XDG_CONFIG_HOME");
        detail::forgetApplicationPath();
    }
    void install(const std::string& content) {
        std::filesystem::create_directories(dir_.file("Orvell/Skelda"));
        std::ofstream(dir_.file("Orvell/Skelda/Path"), std::ios::binary) << content;
    }

private:
    testkit::TempDir dir_;
    std::string previous_;
    bool had_ = false;
};

TEST(PosixLauncher, PathIsTheFirstLineOfTheRecordAndIsLookedUpOnce) {
    ConfigSandbox config;
    EXPECT_EQ(applicationPath(), "");
    EXPECT_FALSE(isApplicationInstalled());
    // Not found is not remembered.
    config.install("/opt/skelda/bin/skelda app\r\nsecond line\n");
    EXPECT_EQ(applicationPath(), "/opt/skelda/bin/skelda app");
    EXPECT_TRUE(isApplicationInstalled());
    // Found is, until the module is loaded afresh.
    config.install("/elsewhere/skelda\n");
    EXPECT_EQ(applicationPath(), "/opt/skelda/bin/skelda app");
    detail::forgetApplicationPath();
    EXPECT_EQ(applicationPath(), "/elsewhere/skelda");
}

TEST(PosixLauncher, LaunchingWhatIsNotInstalledFails) {
    ConfigSandbox config;
    try {
        launchApplication();
        FAIL() << "launched nothing";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("\nas a result of CreateProcess(AE)"), std::string::npos)
            << e.what();
    }
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

// The application is started from a path with blanks and serves until told to stop.
TEST(PosixLauncher, LaunchesFromAPathWithBlanks) {
    testkit::PipeSandbox sandbox;
    ConfigSandbox config;
    testkit::TempDir programs;
    const std::string program = programs.file("my app/skelda-app");
    std::filesystem::create_directories(programs.file("my app"));
    std::filesystem::copy_file(testkit::programPath("skelda-app"), program);
    config.install(program + "\n");
    ASSERT_FALSE(isApplicationRunning());
    launchApplication();
    ASSERT_TRUE(testkit::waitFor([] { return isApplicationRunning(); }));
    writeMessage(*openClientStream(kApplicationPipeName), "");
    EXPECT_TRUE(testkit::waitFor([] { return !isApplicationRunning(); }));
}

}  // namespace
