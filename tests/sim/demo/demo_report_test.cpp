// The demo's report: reading what the host printed, corner errors against a known motion, and
// keyframes counted against the per-frame values they replace.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <stdexcept>

#include "sim/app/motion.h"
#include "sim/demo/corner_error.h"
#include "sim/demo/host_transcript.h"
#include "sim/demo/model_report.h"
#include "sim/demo/svg_plot.h"
#include "tests/module/host_session.h"

namespace {

using namespace demoreport;

HostTranscript read(const std::string& text) {
    std::istringstream in(text);
    return HostTranscript::read(in);
}

// Corners where a translation of (2, 1) per frame puts a 160 x 120 source, with `offset` added to
// the lower right corner of frame `at`.
std::string cornerLines(int layer, int frames, int at = -1, double dx = 0, double dy = 0, int shift = 0) {
    std::ostringstream lines;
    for (int f = 0; f < frames; ++f) {
        const double x = 2.0 * f, y = 1.0 * f;
        lines << "corners layer=" << layer << " frame=" << f + shift << " ul=" << x << ',' << y
              << " ur=" << 160 + x << ',' << y << " ll=" << x << ',' << 120 + y
              << " lr=" << 160 + x + (f == at ? dx : 0) << ',' << 120 + y + (f == at ? dy : 0) << '\n';
    }
    return lines.str();
}

const char* const kDump =
    "project id=1 root=2\n"
    "item id=2 type=folder name=\"Root\" parent=0\n"
    "item id=3 type=comp name=\"Shot comp\" parent=2 width=160 height=120 fps=24 duration=5/24 pixel=1/1\n"
    "layer id=5 comp=3 source=4 type=av in=0/1 duration=5/24 offset=0/1\n"
    "stream id=6 owner=5 name=\"Position\" keys=2\n"
    "key stream=6 time=0/24 value=80,60\n"
    "key stream=6 time=4/24 value=88,64\n"
    "item id=4 type=footage name=\"plate\" parent=2 files=5 first=\"/p/p0.png\" sequence=1 width=160 "
    "height=120 pixel=1/1 fps=24\n";

TEST(HostTranscript, ReadsTheDumpAndCornersAndSkipsOtherLines) {
    const HostTranscript transcript =
        read(std::string(
                 "8 enabled \"Launch Skelda\"\nitem 4\nproject id=1 root=2\nitem id=9 type=comp name=\"Old\" "
                 "parent=2 width=1 height=1 fps=1\n") +
             kDump + cornerLines(5, 2).substr(cornerLines(5, 1).size()) + cornerLines(5, 1) +
             "corners layer=5 time=1/24 ul=0,0 ur=0,0 ll=0,0 lr=0,0\nCommand result=0\n");
    EXPECT_EQ(transcript.item(9), nullptr);  // the later dump replaced the earlier one
    ASSERT_NE(transcript.item(3), nullptr);
    EXPECT_EQ(transcript.item(3)->name, "Shot comp");
    EXPECT_EQ(transcript.item(3)->fps, 24);
    EXPECT_EQ(transcript.item(4)->files, 5);
    ASSERT_NE(transcript.layer(5), nullptr);
    ASSERT_EQ(transcript.layer(5)->streams, std::vector<int>{6});
    const TranscriptStream* position = transcript.stream(6);
    ASSERT_EQ(position->keys.size(), 2u);
    EXPECT_DOUBLE_EQ(position->keys[1].time, 4.0 / 24);
    EXPECT_EQ(position->keys[1].value, (std::vector<double>{88, 64}));
    // Corners in frame order, whatever order they came in; an evaluation at a time is not a frame.
    const std::vector<CornerSample>& corners = transcript.corners(5);
    ASSERT_EQ(corners.size(), 2u);
    EXPECT_EQ(corners[0].frame, 0);
    EXPECT_EQ(corners[1].frame, 1);
    EXPECT_DOUBLE_EQ(corners[1].corners[3].x, 162);
}

TEST(HostTranscript, NamesTheLineOfAMalformedEntry) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"key stream=7 time=0/1 value=1\n", "line 1: a key of an unknown stream"},
        {"echo\nlayer id=5 comp=3\n", "line 2: no field source"},
        {"corners layer=5 frame=0 ul=0,0 ur=1 ll=0,0 lr=0,0\n", "line 1: not a point: 1"},
        {"item id=x type=comp name=\"A\"\n", "line 1: not a number: x"},
        {"item id=3 type=comp name=\"A\n", "line 1: an unterminated quote"},
        {"layer id=5 comp=3 source=4\nstream id=6 owner=5 name=\"P\"\nkey stream=6 time=0/0 value=1\n",
         "line 3: a time scale must be positive: 0/0"},
    };
    for (const auto& c : cases) {
        try {
            read(c.text);
            ADD_FAILURE() << c.text;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << e.what();
        }
    }
}

TEST(CornerError, IsTheLargestDistanceToTheTrackedCorners) {
    const Transformations motion = simapp::generateMotion("dx=2,dy=1", 5);
    EXPECT_EQ(largestCornerError(motion, read(cornerLines(5, 5)).corners(5), 160, 120), 0);
    EXPECT_DOUBLE_EQ(largestCornerError(motion, read(cornerLines(5, 5, 3, 3, -4)).corners(5), 160, 120), 5);
    EXPECT_EQ(largestCornerError(motion, {}, 160, 120), 0);
    EXPECT_THROW(largestCornerError(motion, read(cornerLines(5, 6)).corners(5), 160, 120), std::out_of_range);
}

TEST(CornerError, FollowsTheInitialTransformAndTheTask) {
    Transformations motion = simapp::generateMotion("rotate=90", 2);
    motion.initial.x = 10;  // tracking: the initial transform applies first
    std::array<Point, 4> c = trackedCorners(motion, 1, 4, 2);
    EXPECT_NEAR(c[1].x, 0, 1e-12);  // (14, 0) turned a quarter clockwise on screen
    EXPECT_NEAR(c[1].y, 14, 1e-12);
    motion.task = Task::Compensation;  // compensating: the inverse, without the initial transform
    c = trackedCorners(motion, 1, 4, 2);
    EXPECT_NEAR(c[1].x, 0, 1e-12);
    EXPECT_NEAR(c[1].y, -4, 1e-12);
}

TEST(ModelReport, CountsKeyframesAgainstThePerFrameValuesTheyReplace) {
    const Transformations motion = simapp::generateMotion("dx=2,dy=1", 5);
    const HostTranscript transcript = read(std::string(kDump) + cornerLines(5, 5, 2, 0, 0.5));
    for (ExportModel model : {ExportModel::Translation, ExportModel::Auto}) {
        const ModelReport report = reportLayer(transcript, motion, 5, model);
        EXPECT_EQ(report.used, ExportModel::Translation);
        EXPECT_EQ(report.frames, 5);
        EXPECT_DOUBLE_EQ(report.largestCornerError, 0.5);
        ASSERT_EQ(report.properties.size(), 1u);
        const PropertyReport& position = report.properties[0];
        EXPECT_EQ(position.label, "Position");
        ASSERT_EQ(position.perFrame.size(), 5u);
        EXPECT_EQ(position.perFrame[3].time, 3);
        EXPECT_EQ(position.perFrame[3].value, (std::vector<double>{86, 63}));  // the source's centre moved
        ASSERT_EQ(position.keyframes.size(), 2u);
        EXPECT_DOUBLE_EQ(position.keyframes[1].time, 4);  // 4/24 s at 24 frames per second
    }
    std::ostringstream text;
    printModelReports(text, {reportLayer(transcript, motion, 5, ExportModel::Auto)});
    EXPECT_EQ(text.str(),
              "   Auto (chose Translation) on layer 5: largest corner error 0.500 px over 5 frames\n"
              "      Position                     2 keyframes for   5 per-frame values\n");
}

TEST(ModelReport, TakesTheMotionFromTheLayersOffset) {
    // The layer starts 2 frames into the composition: its corners at composition frames 2 to 6
    // show the motion's frames 0 to 4.
    std::string dump = kDump;
    const std::string offset = "offset=0/1";
    dump.replace(dump.find(offset), offset.size(), "offset=2/24");
    const Transformations motion = simapp::generateMotion("dx=2,dy=1", 5);
    const ModelReport report =
        reportLayer(read(dump + cornerLines(5, 5, 4, 3, 4, 2)), motion, 5, ExportModel::Translation);
    EXPECT_EQ(report.frames, 5);
    EXPECT_DOUBLE_EQ(report.largestCornerError, 5);
    EXPECT_DOUBLE_EQ(report.properties[0].keyframes[1].time, 4);
}

TEST(ModelReport, NamesEveryPropertyOfTheModelEvenWithoutKeyframes) {
    const Transformations motion = simapp::generateMotion("dx=2,dy=1", 5);
    const HostTranscript transcript = read(std::string(kDump) + cornerLines(5, 5));
    const ModelReport affine = reportLayer(transcript, motion, 5, ExportModel::Affine1);
    std::vector<std::string> labels;
    for (const PropertyReport& p : affine.properties)
        labels.push_back(p.label + " " + std::to_string(p.perFrame.size()));
    EXPECT_EQ(labels, (std::vector<std::string>{"Transform: Position 5", "Transform: Uniform Scale 1",
                                                "Transform: Scale Height 5", "Transform: Scale Width 5",
                                                "Transform: Skew 5", "Transform: Skew Axis 5",
                                                "Transform: Rotation 5"}));
    for (const PropertyReport& p : affine.properties) EXPECT_TRUE(p.keyframes.empty()) << p.label;
    EXPECT_THROW(reportLayer(transcript, motion, 99, ExportModel::Rigid), std::runtime_error);
    EXPECT_THROW(reportLayer(read(kDump), motion, 5, ExportModel::Rigid), std::runtime_error);  // no corners
    EXPECT_EQ(modelNamed("CornerPin"), ExportModel::CornerPin);
    EXPECT_THROW(modelNamed("cornerpin"), std::invalid_argument);
}

TEST(SvgPlot, DrawsEachComponentsValuesBesideItsKeyframes) {
    const Transformations motion = simapp::generateMotion("dx=2,dy=1", 5);
    const HostTranscript transcript = read(std::string(kDump) + cornerLines(5, 5));
    std::ostringstream svg;
    writeSvgPlot(svg, {reportLayer(transcript, motion, 5, ExportModel::Rigid)});
    const std::string text = svg.str();
    const auto count = [&](const std::string& what) { return hostsession::count(text, what); };
    // Position x, Position y and Rotation; per-frame and keyframe series in each.
    EXPECT_EQ(count("<polyline"), 6u);
    EXPECT_EQ(count(">Rigid, layer 5: Position x<"), 1u);
    EXPECT_EQ(count(">2 keys for 5 values<"), 2u);
    EXPECT_EQ(count(">Rigid, layer 5: Rotation<"), 1u);
    EXPECT_EQ(count(">0 keys for 5 values<"), 1u);
    EXPECT_EQ(count("<circle"), 5u * 3 + 2 * 2);
    EXPECT_EQ(text.rfind("</svg>\n"), text.size() - 7);
}

}  // namespace
