// The skelda-app program, driven as the tests and the demo drive it.
#include <gtest/gtest.h>

#include <fstream>

#include "common/child_process.h"
#include "common/program_path.h"
#include "common/test_dirs.h"
#include "link/link_test_kit.h"
#include "link/requests.h"

using namespace linktest;

namespace {

TEST(SkeldaApp, ServesActionsAndPushesItsResultAfterTheRequest) {
    testkit::PipeSandbox sandbox;
    ReplyServer plugin(kPluginPipeName, messageBytes(MessageType::Empty));
    testkit::ChildProcess app(
        testkit::programPath("skelda-app"),
        {"serve", "--actions", "Overlay,Transformations", "--motion", "dx=1.5,rotate=0.1", "--frames", "40"});
    const auto ready = app.readLine();
    ASSERT_TRUE(ready && ready->rfind("serving ", 0) == 0) << ready.value_or("(nothing)");
    PossibleActions actions;
    queryPossibleActions(kApplicationPipeName, actions);
    EXPECT_TRUE(actions.overlay && actions.transformations);
    EXPECT_FALSE(actions.underlay || actions.stillOverlay || actions.project);

    requestTransformations();
    EXPECT_EQ(app.readLine().value_or(""), "pushed Transformations: ok");
    ASSERT_EQ(plugin.requests().size(), 1u);
    Message pushed;
    pushed.fromBytes(plugin.requests()[0]);
    EXPECT_EQ(pushed.type(), MessageType::Transformations);
    EXPECT_EQ(pushed.root().children("Transform").size(), 40u);

    // Without a project file there is nothing to push for a project.
    requestProject();
    EXPECT_EQ(app.readLine().value_or(""), "nothing to push for Project");
    app.write("quit\n");
    EXPECT_EQ(app.wait(), 0);
}

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char c : bytes) text += std::string{digits[c >> 4], digits[c & 15]};
    return text;
}

TEST(SkeldaApp, AsksAndSendsRawFramesToThePlugIn) {
    testkit::PipeSandbox sandbox;
    const std::string program = testkit::programPath("skelda-app");
    TestServer plugin(kPluginPipeName, 300ms);
    const std::string request = messageBytes(MessageType::PossibleActions);
    const std::string requestFrame = frame(static_cast<std::uint32_t>(request.size()), request);
    struct Case {
        std::vector<std::string> args;
        std::string output;
        int exitCode;
    } cases[] = {
        {{"ask", "actions"}, "Underlay=0 Overlay=1 StillOverlay=0 Transformations=1 Project=0\n", 0},
        {{"ask", "underlay"}, "error unknown message\n", 1},
        {{"send-raw", hex(requestFrame)}, "", 0},
        {{"send-raw", "0a00"}, "", 2},
        {{"send-raw", "zz"}, "", 2},
    };
    for (const Case& c : cases) {
        const testkit::ProcessResult result = testkit::runProcess(program, c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args[0] << " " << c.args[1] << ": " << result.output;
        if (!c.output.empty()) {
            EXPECT_EQ(result.output, c.output);
        }
    }
    EXPECT_EQ(plugin.handled(), 3);
    EXPECT_EQ(plugin.errors().size(), 1u);  // the truncated frame
}

TEST(SkeldaApp, PushesAProjectFile) {
    testkit::PipeSandbox sandbox;
    testkit::TempDir dir;
    const std::string project = dir.file("shot.skp");
    std::ofstream(project) << "<Project first=\"3\"><Transform x=\"1\"/><Transform x=\"2\"/></Project>";
    ReplyServer plugin(kPluginPipeName, messageBytes(MessageType::Empty));
    const std::string program = testkit::programPath("skelda-app");
    for (const char* kind : {"project", "transformations"}) {
        const testkit::ProcessResult result = testkit::runProcess(program, {"push", kind, project});
        EXPECT_EQ(result.exitCode, 0) << result.output;
        EXPECT_EQ(result.output, "ok\n");
    }
    ASSERT_EQ(plugin.requests().size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        Message pushed;
        pushed.fromBytes(plugin.requests()[i]);
        EXPECT_EQ(pushed.type(), i == 0 ? MessageType::Project : MessageType::Transformations);
        EXPECT_EQ(pushed.root().children("Transform").size(), 2u);
    }
}

}  // namespace
