// The built module in skelda-host with skelda-app serving over real pipes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/common/child_process.h"
#include "tests/common/program_path.h"
#include "tests/common/test_dirs.h"
#include "tests/module/host_session.h"

namespace {

TEST(ModuleSession, MenuWithTheApplicationAndAProjectImportedOverThePipes) {
    testkit::PipeSandbox pipes;
    testkit::TempDir files;
    std::filesystem::create_directories(files.file("plate"));
    std::string frames;
    for (int i = 0; i < 3; ++i) {
        std::ofstream(files.file("plate/p000" + std::to_string(i) + ".png")) << i;
        frames += "<Frame path=\"p000" + std::to_string(i) + ".png\"/>";
    }
    std::ofstream(files.file("plate/logo.png")) << "logo";
    const std::string plate = files.file("plate") + "/";
    std::ofstream(files.file("job.skp"))
        << "<Project Name=\"Pushed\"><Dim sx=\"320\" sy=\"240\"/><Underlay path=\"" << plate
        << "\" abs=\"1\">" << frames << "</Underlay><Overlay path=\"" << plate
        << "\" abs=\"1\"><Frame path=\"logo.png\"/></Overlay></Project>";
    testkit::ChildProcess app(testkit::programPath("skelda-app"),
                              {"serve", "--actions", "Project", "--result", files.file("job.skp")});
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
    EXPECT_NE(out.find("type=comp name=\"Pushed\""), std::string::npos) << out;
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
