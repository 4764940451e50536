// The built module in skelda-host with skelda-app serving over real pipes.
#include <gtest/gtest.h>

#include <string>

#include "tests/common/child_process.h"
#include "tests/common/program_path.h"
#include "tests/common/test_dirs.h"
#include "tests/module/host_session.h"
#include "tests/project/sample_project.h"

namespace {

TEST(ModuleSession, MenuWithTheApplicationAndAProjectImportedOverThePipes) {
    testkit::PipeSandbox pipes;
    testkit::TempDir files;
    // Relative paths, which skelda-app makes absolute as it pushes the project.
    const std::string job = importkit::writeSampleProject(files.path());
    testkit::ChildProcess app(testkit::programPath("skelda-app"),
                              {"serve", "--actions", "Project", "--result", job});
    ASSERT_TRUE(hostsession::serving(app));

    const std::string script = "load \"" + testkit::besideTests("Skelda.aex") +
                               "\"\n"
                               "project new\n"
                               // Opened again: on a loaded machine an answer may come after the
                               // menu's limit, which offers nothing for that opening alone.
                               "menu\nmenu\nmenu\n"
                               "command \"Import Project from Skelda\"\n"
                               "run 3\n"
                               "dump\n"
                               "reports\n"
                               "suites\n"
                               "quit\n";
    const auto host = testkit::runProcess(testkit::programPath("skelda-host"), {}, script);
    EXPECT_EQ(host.exitCode, 0) << host.output;
    const std::string& out = host.output;
    EXPECT_NE(out.find("8 enabled \"Switch to Skelda\"\n"
                       "9 disabled \"Upload as Underlay to Skelda\"\n"
                       "10 disabled \"Upload as Overlay to Skelda\"\n"
                       "11 disabled \"Load Transformations from Skelda\"\n"
                       "12 disabled \"Read Transformations from Skelda File...\"\n"
                       "13 enabled \"Import Project from Skelda\"\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("command result=0 handled=1"), std::string::npos) << out;
    EXPECT_NE(out.find("type=comp name=\"Sample\""), std::string::npos) << out;
    EXPECT_NE(out.find("suites balanced"), std::string::npos) << out;
    // Past the errors of replies to openings that had stopped waiting.
    std::string pushed;
    do {
        pushed = app.readLine().value_or("");
    } while (pushed.rfind("error ", 0) == 0);
    EXPECT_EQ(pushed, "pushed Project: ok");
    EXPECT_EQ(hostsession::quit(app), 0);
}

}  // namespace
