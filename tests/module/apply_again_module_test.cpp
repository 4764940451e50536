// The built module in skelda-host: keys where a moved layer shows, and footage whose file names
// end in long numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/common/child_process.h"
#include "tests/common/program_path.h"
#include "tests/common/test_dirs.h"
#include "tests/module/host_session.h"

namespace {

using hostsession::field;
using hostsession::Host;
using hostsession::linesStarting;
using importkit::pngHeader;
// A 24-frame plate, and an overlay placed at frame 10 and trimmed to its frames 5 to 20 (so it
// shows on composition frames 15 to 23), tracked by (4f + 20, 2f + 30) on frame f.
TEST(ModuleApply, AnImportedOverlayFollowsThePlateOnEveryFrameItShows) {
    testkit::PipeSandbox pipes;
    testkit::TempDir files;
    std::filesystem::create_directories(files.file("plate"));
    std::string frames, transforms;
    for (int i = 0; i < 24; ++i) {
        const std::string name = "p" + std::to_string(1000 + i) + ".png";
        std::ofstream(files.file("plate/" + name), std::ios::binary) << pngHeader(160, 120);
        frames += "<Frame path=\"" + name + "\"/>";
        transforms += "<Transform x=\"" + std::to_string(4 * i) + "\" y=\"" + std::to_string(2 * i) + "\"/>";
    }
    std::ofstream(files.file("plate/logo.png"), std::ios::binary) << pngHeader(16, 16);
    std::ofstream(files.file("job.skp"))
        << "<Project ExportInaccuracy=\"0.5\" Framerate=\"24\" Name=\"Offset\"><InitialTransform x=\"20\" "
           "y=\"30\"/>"
        << transforms << "<Dim sx=\"160\" sy=\"120\"/><Underlay path=\"plate\\\">" << frames
        << "</Underlay><Overlay path=\"plate\\\" SourceOffset=\"10\"><Frame path=\"logo.png\"/>"
           "<Trimming first=\"5\" last=\"20\"/></Overlay></Project>";

    Host host;
    host.load();
    EXPECT_EQ(host.ask("project new"), "");
    const std::string imported = host.say("import \"" + files.file("job.skp") + "\"");
    ASSERT_NE(imported.find("result=0"), std::string::npos) << imported;
    const std::string comp = imported.substr(imported.find("item=") + 5);
    const std::string dump = host.ask("dump");
    const std::vector<std::string> layers = linesStarting(dump, "layer id=");
    ASSERT_EQ(layers.size(), 2u) << dump;
    const std::string overlay = std::to_string(static_cast<int>(field(" " + layers[0], "id")));

    const std::vector<std::string> keys = linesStarting(host.ask("keys " + overlay), "key ");
    ASSERT_FALSE(keys.empty());
    double first = 1e9, last = -1e9;
    for (const std::string& key : keys) {
        first = std::min(first, field(key, "frame"));
        last = std::max(last, field(key, "frame"));
    }
    EXPECT_EQ(first, 15);
    EXPECT_EQ(last, 23);

    const std::vector<std::string> corners = linesStarting(host.ask("corners " + overlay), "corners ");
    // The layer spans frames 15 to 29; the composition and the result end after frame 23.
    ASSERT_EQ(corners.size(), 15u);
    for (const std::string& line : corners) {
        const double f = field(line, "frame");
        if (f > 23) break;
        const std::string ul = line.substr(line.find(" ul=") + 4);
        const double x = std::stod(ul);
        const double y = std::stod(ul.substr(ul.find(',') + 1));
        EXPECT_LE(std::hypot(x - (4 * f + 20), y - (2 * f + 30)), 0.5 + 1e-6) << line;
    }
    EXPECT_EQ(host.ask("reports"), "");
}

// Time-stamped file names: the menu offers the upload, the upload and the application's own
// request (after another client's empty frame) get the footage, with the last nine digits as the
// start frame.
TEST(ModuleApply, FootageWithLongFrameNumbersIsDescribed) {
    testkit::PipeSandbox pipes;
    testkit::TempDir files;
    std::vector<std::string> paths;
    for (int i = 0; i < 3; ++i) {
        paths.push_back(files.file("clip_2023120612345" + std::to_string(6 + i) + ".png"));
        std::ofstream(paths.back(), std::ios::binary) << pngHeader(64, 48);
    }
    testkit::ChildProcess app(testkit::programPath("skelda-app"), {"serve", "--actions", "Underlay,Overlay"});
    ASSERT_TRUE(hostsession::serving(app));

    Host host;
    host.load();
    EXPECT_EQ(host.ask("project new"), "");
    const std::string item =
        host.say("footage clip \"" + paths[0] + "\" \"" + paths[1] + "\" \"" + paths[2] + "\"").substr(5);
    EXPECT_EQ(host.ask("activate item " + item), "");
    const std::string menu = host.ask("menu");
    EXPECT_NE(menu.find("enabled \"Upload as Underlay to Skelda\""), std::string::npos) << menu;
    EXPECT_EQ(host.say("command \"Upload as Underlay to Skelda\""), "command result=0 handled=1");
    EXPECT_EQ(host.ask("reports"), "");

    // A client's empty frame first: it ends that client's visit, not the module's server.
    testkit::runProcess(testkit::programPath("skelda-app"), {"send-raw", "00000000"});
    const auto asked = testkit::runProcess(testkit::programPath("skelda-app"), {"ask", "underlay"});
    EXPECT_EQ(asked.exitCode, 0) << asked.output;
    EXPECT_NE(asked.output.find("StartFrame=\"206123456\""), std::string::npos) << asked.output;
    EXPECT_EQ(asked.output.find("exception"), std::string::npos) << asked.output;

    app.write("uploads\n");
    std::string uploads;
    for (auto line = app.readLine(); line && *line != "end"; line = app.readLine()) uploads += *line + "\n";
    EXPECT_NE(uploads.find("upload Underlay 3 frames <"), std::string::npos) << uploads;
    EXPECT_NE(uploads.find("StartFrame=\"206123456\""), std::string::npos) << uploads;
    EXPECT_EQ(hostsession::quit(app), 0);
}

}  // namespace
