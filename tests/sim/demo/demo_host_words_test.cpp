// The host's words the demo adds, measured by the report: footage from files, and the corners of
// a layer with known keyframes at every frame.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "sim/app/motion.h"
#include "sim/demo/corner_error.h"
#include "sim/demo/host_transcript.h"
#include "sim/host/script.h"
#include "tests/common/test_dirs.h"
#include "tests/project/sample_project.h"

namespace {

// The first bytes of a PNG file of that size: what the host reads an item's size from.
void writePngHeader(const std::string& path, unsigned width, unsigned height) {
    std::ofstream(path, std::ios::binary) << importkit::pngHeader(width, height);
}

class DemoHostWordsTest : public ::testing::Test {
protected:
    std::string run(const std::vector<std::string>& lines) {
        out.str("");
        for (const std::string& line : lines) script.runLine(line);
        return out.str();
    }

    testkit::TempDir dir;
    simhost::SimHost host;
    std::ostringstream out;
    simhost::Script script{host, out};
};

TEST_F(DemoHostWordsTest, FootageTakesItsFilesAndThePngSize) {
    writePngHeader(dir.file("p0.png"), 160, 120);
    std::ofstream(dir.file("p1.png")) << "not read";
    std::ofstream(dir.file("clip.avi")) << "movie";
    EXPECT_EQ(run({"footage plate " + dir.file("p0.png") + " " + dir.file("p1.png"), "project new",
                   "footage plate " + dir.file("p0.png") + " " + dir.file("p1.png"),
                   "footage clip " + dir.file("clip.avi"), "footage none"}),
              "error: no project is open\nitem 3\nitem 4\nerror: usage: footage NAME FILE...\n");
    const simhost::Item* plate = host.model().item(3);
    EXPECT_EQ(plate->footage.files.size(), 2u);
    EXPECT_TRUE(plate->footage.sequence);
    EXPECT_EQ(plate->width, 160);
    EXPECT_EQ(plate->height, 120);
    EXPECT_FALSE(host.model().item(4)->footage.sequence);
    EXPECT_EQ(host.model().item(4)->width, 640);  // not a PNG: the host's default size
}

TEST_F(DemoHostWordsTest, CornersFollowKnownKeyframesAtEveryFrame) {
    writePngHeader(dir.file("p0.png"), 160, 120);
    run({"project new", "footage plate " + dir.file("p0.png"), "comp Shot 160 120 24 5", "layer 4 3"});
    // Position keys where a translation of (2, 1) per frame takes the source's centre, except that
    // the last one lies 3 pixels right and 4 pixels down of it.
    simhost::Layer* layer = host.model().layer(5);
    simhost::Stream& position = layer->streams[AEGP_LayerStream_POSITION];
    position.id = host.model().nextId();
    position.name = "Position";
    position.dimensions = 2;
    position.keys = {{{0, 24}, {80, 60}}, {{4, 24}, {91, 68}}};
    std::istringstream transcript(run({"corners 5", "dump"}));
    const demoreport::HostTranscript read = demoreport::HostTranscript::read(transcript);
    const std::vector<demoreport::CornerSample>& corners = read.corners(5);
    ASSERT_EQ(corners.size(), 5u);
    EXPECT_DOUBLE_EQ(corners[2].corners[0].x, 5.5);  // halfway: (1.5, 2) off the line at frame 2
    EXPECT_DOUBLE_EQ(corners[2].corners[0].y, 4);
    const Transformations motion = simapp::generateMotion("dx=2,dy=1", 5);
    EXPECT_DOUBLE_EQ(demoreport::largestCornerError(motion, corners, 160, 120), 5);
    EXPECT_EQ(run({"corners 99"}), "error: no layer 99\n");
}

}  // namespace
