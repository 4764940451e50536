// The built module in skelda-host with skelda-app serving over real pipes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/common/child_process.h"
#include "tests/common/program_path.h"
#include "tests/common/test_dirs.h"

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
    const auto ready = app.readLine();
    ASSERT_TRUE(ready && ready->rfind("serving ", 0) == 0) << ready.value_or("(nothing)");

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
    app.write("quit\n");
    EXPECT_EQ(app.wait(), 0);
}

// Load Transformations is acknowledged at once; the result the application pushes becomes
// keyframes on the active layer at the next idle call, in one closed undo group.
TEST(ModuleSession, LoadTransformationsBecomesKeyframesAtTheNextIdleCall) {
    testkit::PipeSandbox pipes;
    testkit::ChildProcess app(
        testkit::programPath("skelda-app"),
        {"serve", "--actions", "Transformations", "--motion", "dx=1.5,rotate=0.2", "--frames", "12"});
    const auto ready = app.readLine();
    ASSERT_TRUE(ready && ready->rfind("serving ", 0) == 0) << ready.value_or("(nothing)");

    testkit::ChildProcess host(testkit::programPath("skelda-host"), {});
    const auto say = [&](const std::string& line) {
        host.write(line + "\n");
        return host.readLine().value_or("(nothing)");
    };
    // Everything up to the marker.
    const auto ask = [&](const std::string& lines) {
        host.write(lines + "echo end\n");
        std::string out;
        for (auto line = host.readLine(); line && *line != "end"; line = host.readLine()) out += *line + "\n";
        return out;
    };
    EXPECT_EQ(say("load \"" + testkit::besideTests("Skelda.aex") + "\"").rfind("loaded \"Skelda\"", 0), 0u);
    host.write("project new\n");
    const std::string source = say("comp Source 320 240 30 12").substr(5);
    const std::string comp = say("comp Main 320 240 30 12").substr(5);
    const std::string layer = say("layer " + comp + " " + source).substr(6);
    host.write("activate layer " + layer + "\n");
    EXPECT_EQ(say("command \"Load Transformations from Skelda\""), "command result=0 handled=1");
    EXPECT_EQ(app.readLine().value_or(""), "pushed Transformations: ok");
    EXPECT_EQ(ask("dump\n").find("key "), std::string::npos);
    const std::string out = ask("idle 1\ndump\nundo\nreports\nsuites\nreferences\n");
    EXPECT_NE(out.find("key stream="), std::string::npos) << out;
    EXPECT_NE(out.find("undo \"Apply Transform to Layer\" closed"), std::string::npos) << out;
    EXPECT_EQ(out.find("undo none"), std::string::npos) << out;
    EXPECT_NE(out.find("suites balanced\nreferences balanced\n"), std::string::npos) << out;
    host.write("quit\n");
    EXPECT_EQ(host.wait(), 0);
    app.write("quit\n");
    EXPECT_EQ(app.wait(), 0);
}

}  // namespace
