// The launcher: the application's window title, and starting it from its installation record.
#include "link/launcher.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/common/installation_sandbox.h"
#include "tests/common/program_path.h"
#include "tests/common/test_dirs.h"
#include "tests/link/link_test_kit.h"

namespace fs = std::filesystem;

namespace {

TEST(Launcher, TitleMustEndWithTheProductName) {
    struct Case {
        const char* title;
        bool names;
    } cases[] = {
        {"Skelda", true},
        {"shot_0042.png - Skelda", true},
        {"Skelda - shot_0042.png", false},
        {"shot_0042.png - skelda", false},
        {"SKELDA", false},
        {"kelda", false},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(detail::titleNamesApplication(c.title), c.names) << c.title;
}

// Started from a path with blanks, the application itself runs, not a program named by the
// path's first words: unquoted, "...\my app\skelda-app.exe" would start "...\my.exe".
TEST(Launcher, LaunchesTheInstalledApplicationFromAPathWithBlanks) {
    testkit::PipeSandbox sandbox;
    testkit::InstallationSandbox installation;
    EXPECT_FALSE(isApplicationInstalled());
    EXPECT_NE(linktest::errorOf(launchApplication).find("\nas a result of CreateProcess(AE)"),
              std::string::npos);

    testkit::TempDir programs;
    const fs::path source = testkit::programPath("skelda-app");
    fs::create_directories(programs.file("my app"));
    const std::string program = (fs::path(programs.file("my app")) / source.filename()).string();
    fs::copy_file(source, program);
    // The decoy would start with the rest of the path as its argument and serve nothing.
    fs::copy_file(source, programs.file("my" + source.extension().string()));
    installation.install(program);
    EXPECT_EQ(applicationPath(), program);
    const ClientPipe application(kApplicationPipeName);
    ASSERT_FALSE(application.isAvailable());
    launchApplication();
    ASSERT_TRUE(testkit::waitFor([&] { return application.isAvailable(); }, std::chrono::seconds(30)));
    EXPECT_TRUE(testkit::waitFor([] { return isApplicationRunning(); }));
    writeMessage(*openClientStream(kApplicationPipeName), "");
    EXPECT_TRUE(testkit::waitFor([&] { return !application.isAvailable(); }, std::chrono::seconds(30)));
}

}  // namespace
