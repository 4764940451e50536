// The built module imports a project file when the host opens it through its import command.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/child_process.h"
#include "common/program_path.h"
#include "sample_project.h"

using namespace importkit;
using namespace isolationkit;

namespace {

std::vector<std::string> linesStartingWith(const std::string& text, const std::string& prefix) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(prefix, 0) == 0) lines.push_back(line);
    return lines;
}

TEST(ModuleImportTest, SkeldaHostImportBuildsTheCompositionLayersAndKeyframes) {
    ScopedStateDir state;
    testkit::TempDir dir;
    testkit::PipeSandbox pipes;
    const std::string project = writeSampleProject(dir.path());
    const auto before = snapshot(dir.path());
    const auto result =
        testkit::runProcess(testkit::programPath("skelda-host"),
                            {"-e", "load " + testkit::besideTests("Skelda.aex"), "-e", "project new", "-e",
                             "import " + project, "-e", "dump", "-e", "reports", "-e", "suites"});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const std::string& out = result.output;
    EXPECT_NE(out.find("verify flavor=\"Skelda Project\" result=0 importable=1\n"), std::string::npos) << out;
    const auto imported = linesStartingWith(out, "import flavor=\"Skelda Project\" result=0 item=");
    ASSERT_EQ(imported.size(), 1u) << out;
    const std::string item = imported[0].substr(imported[0].rfind('=') + 1);

    const auto comps = linesStartingWith(out, "item id=" + item + " type=comp name=\"Sample\"");
    ASSERT_EQ(comps.size(), 1u) << out;
    EXPECT_NE(comps[0].find("width=160 height=120 fps=24 duration=24/24 pixel=1/1 selected=1"),
              std::string::npos)
        << comps[0];
    const auto layers = linesStartingWith(out, "layer id=");
    ASSERT_EQ(layers.size(), 2u) << out;
    // The overlay on top, placed and trimmed; the underlay its own 24 frames.
    EXPECT_NE(layers[0].find("in=1/24 duration=1/2 offset=1/12"), std::string::npos) << layers[0];
    EXPECT_NE(layers[1].find("in=0/24 duration=1/1 offset=0/1"), std::string::npos) << layers[1];
    const auto footage = linesStartingWith(out, "item id=");
    bool sequenceOf24 = false;
    for (const std::string& line : footage)
        sequenceOf24 = sequenceOf24 ||
                       (line.find("type=footage name=\"p0000.png\"") != std::string::npos &&
                        line.find("files=24 ") != std::string::npos &&
                        line.find("sequence=1 width=160 height=120 pixel=1/1 fps=24") != std::string::npos);
    EXPECT_TRUE(sequenceOf24) << out;
    // Keyframes follow the tracked motion on the overlay alone.
    EXPECT_FALSE(linesStartingWith(out, "key ").empty()) << out;
    const std::string overlayId = layers[0].substr(9, layers[0].find(' ', 9) - 9);
    for (const std::string& stream : linesStartingWith(out, "stream "))
        EXPECT_NE(stream.find("owner=" + overlayId), std::string::npos) << stream;
    EXPECT_NE(out.find("suites balanced\n"), std::string::npos) << out;
    EXPECT_EQ(snapshot(dir.path()), before);
}

}  // namespace
