// The skelda-app program, driven as the tests and the demo drive it.
#include <gtest/gtest.h>

#include "tests/common/child_process.h"
#include "tests/common/program_path.h"
#include "tests/common/test_dirs.h"
#include "tests/common/test_files.h"
#include "tests/link/link_test_kit.h"

using namespace linktest;

namespace {

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char c : bytes) text += std::string{digits[c >> 4], digits[c & 15]};
    return text;
}

TEST(SkeldaApp, AsksPushesAndSendsRawFramesToThePlugIn) {
    testkit::PipeSandbox sandbox;
    testkit::TempDir dir;
    const std::string project = dir.file("shot.skp");
    testkit::writeFile(project, "<Project first=\"3\"><Transform x=\"1\"/><Transform x=\"2\"/></Project>");
    const std::string request = messageBytes(MessageType::PossibleActions);
    struct Case {
        std::vector<std::string> args;
        std::string output;
        int exitCode;
        bool pushes;  // to a plug-in that accepts everything
    } cases[] = {
        {{"ask", "actions"}, "Underlay=0 Overlay=1 StillOverlay=0 Transformations=1 Project=0\n", 0, false},
        {{"ask", "underlay"}, "error unknown message\n", 1, false},
        {{"send-raw", hex(frame(static_cast<std::uint32_t>(request.size()), request))}, "", 0, false},
        {{"send-raw", "0a00"}, "", 2, false},
        {{"send-raw", "zz"}, "", 2, false},
        {{"push", "project", project}, "ok\n", 0, true},
        {{"push", "transformations", project}, "ok\n", 0, true},
    };
    for (bool pushes : {false, true}) {
        std::optional<TestServer> plugin;
        if (pushes)
            plugin.emplace(kPluginPipeName, messageBytes(MessageType::Empty));
        else
            plugin.emplace(kPluginPipeName, 300ms);
        for (const Case& c : cases) {
            if (c.pushes != pushes) continue;
            const testkit::ProcessResult result =
                testkit::runProcess(testkit::programPath("skelda-app"), c.args);
            EXPECT_EQ(result.exitCode, c.exitCode) << c.args[0] << " " << c.args[1] << ": " << result.output;
            if (!c.output.empty()) {
                EXPECT_EQ(result.output, c.output);
            }
        }
        const std::vector<std::string> requests = plugin->requests();
        if (!pushes) {
            EXPECT_EQ(requests.size(), 3u);
            EXPECT_EQ(plugin->errors().size(), 1u);  // the truncated frame
            continue;
        }
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(pushedTransforms(requests[0]), std::make_pair(MessageType::Project, std::size_t{2}));
        EXPECT_EQ(pushedTransforms(requests[1]),
                  std::make_pair(MessageType::Transformations, std::size_t{2}));
    }
}

}  // namespace
