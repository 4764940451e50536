#include <gtest/gtest.h>

#include <string>

#include "tests/common/child_process.h"
#include "tests/common/program_path.h"
#include "tests/common/test_dirs.h"

namespace {

std::string host() {
    return testkit::programPath("skelda-host");
}
std::string module() {
    return testkit::besideTests("Skelda.aex");
}

TEST(SkeldaHost, LoadsTheModuleAndPrintsItsAnimationMenu) {
    // No application serves this sandbox's pipes and none is installed.
    testkit::PipeSandbox pipes;
    const auto result = testkit::runProcess(host(), {"-e", "load " + module(), "-e", "menu", "-e", "suites"});
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(result.output,
              "loaded \"Skelda\" entry=GPMain_Skelda result=0\n"
              "8 disabled \"Launch Skelda\"\n"
              "9 disabled \"Upload as Underlay to Skelda\"\n"
              "10 disabled \"Upload as Overlay to Skelda\"\n"
              "11 disabled \"Load Transformations from Skelda\"\n"
              "12 disabled \"Read Transformations from Skelda File...\"\n"
              "13 disabled \"Import Project from Skelda\"\n"
              "suites balanced\n");
}

TEST(SkeldaHost, ScriptFromStandardInputWithFaultsAndReports) {
    const std::string script =
        "fail AEGP_InsertMenuCommand 2 -7\n"
        "load \"" +
        module() +
        "\"\n"
        "menu\n"
        "hooks\n"
        "reports\n"
        "import shot.SKP\n"
        "quit\n"
        "echo never\n";
    const auto result = testkit::runProcess(host(), {}, script);
    // A line that failed makes the exit status 1; quit ends the script.
    EXPECT_EQ(result.exitCode, 1) << result.output;
    EXPECT_EQ(result.output,
              "loaded \"Skelda\" entry=GPMain_Skelda result=-7\n"
              "8 disabled \"\"\n"
              "Error while inserting menu command.\n"
              "error: no import flavor accepts shot.SKP\n");
}

}  // namespace
