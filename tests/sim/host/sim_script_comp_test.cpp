// The script words that build compositions, answer dialogs and show what was done.
#include <gtest/gtest.h>

#include <sstream>

#include "sim/host/script.h"

namespace {

class SimScriptTest : public ::testing::Test {
protected:
    std::string run(const std::vector<std::string>& lines) {
        out.str("");
        for (const std::string& line : lines) script.runLine(line);
        return out.str();
    }

    simhost::SimHost host;
    std::ostringstream out;
    simhost::Script script{host, out};
};

TEST_F(SimScriptTest, BuildsCompositionsWithLayersAndActivatesThem) {
    EXPECT_EQ(run({"project new", "comp Main 640 480 29.97 300", "comp Plate 320 240 25 100 4/3", "layer 3 4",
                   "camera 3", "activate layer 5"}),
              "item 3\nitem 4\nlayer 5\nlayer 6\n");
    EXPECT_EQ(host.model().activeLayer, 5);
    EXPECT_EQ(host.model().activeItem, 3);
    const std::string dump = run({"dump"});
    // 300 frames at 29.97 frames per second; the layer lasts as long as its source.
    EXPECT_NE(dump.find("name=\"Main\" parent=2 width=640 height=480 fps=29.97 duration=10000/999"),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("layer id=5 comp=3 source=4 type=av in=0/1 duration=4/1"), std::string::npos);
    EXPECT_NE(dump.find("layer id=6 comp=3 source=0 type=camera"), std::string::npos);
    EXPECT_NE(dump.find("pixel=4/3"), std::string::npos);
    // The untouched layer shows its source in the middle of the composition.
    EXPECT_EQ(run({"evaluate 5 1001/30000"}),
              "corners layer=5 time=1001/30000 ul=160,120 ur=480,120 ll=160,360 lr=480,360\n");
    run({"activate item 4"});
    EXPECT_EQ(host.model().activeLayer, 0);
    EXPECT_EQ(host.model().activeItem, 4);
    run({"activate none"});
    EXPECT_EQ(host.model().activeItem, 0);
}

TEST_F(SimScriptTest, AnswersAreTakenByTheDialogsTheyFitAndRecordsShown) {
    run({"answer cancel-at 2", "answer path /tmp/a.skp", "answer cancel"});
    auto& windows = host.windows();
    ASSERT_EQ(windows.takePathAnswer()->path, "/tmp/a.skp");
    EXPECT_EQ(windows.takeCancelStep(), 2);
    EXPECT_EQ(windows.takePathAnswer()->kind, simhost::DialogAnswer::Kind::Cancel);
    EXPECT_FALSE(windows.takePathAnswer());
    windows.setMainWindowEnabled(false);
    EXPECT_EQ(run({"dialogs", "dialogs clear", "dialogs", "references", "undo"}),
              "main-window disabled\nreferences balanced\n");
}

// A layer moved and trimmed by the script, keyed and asked through the suites, listed per layer.
TEST_F(SimScriptTest, LayersMoveInTimeAndTheirKeysAndEffectsAreListed) {
    run({"project new", "comp Main 640 480 24 24", "comp Logo 64 48 24 24", "layer 3 4"});
    EXPECT_EQ(run({"layer-time 5 10/24 5/24 15/24"}), "");
    const simhost::Layer& moved = *host.model().layer(5);
    EXPECT_EQ(moved.offset.value * 24, static_cast<A_long>(10 * moved.offset.scale));
    EXPECT_NE(run({"corners 5"}).find("corners layer=5 frame=15 "), std::string::npos);
    EXPECT_EQ(run({"corners 5"}).find("frame=14 "), std::string::npos);
    EXPECT_EQ(run({"layer-time 5 0 0 -1"}).rfind("error: a duration cannot be negative", 0), 0u);

    simhost::Layer& layer = *host.model().layer(5);
    layer.streams[AEGP_LayerStream_POSITION].name = "Position";
    layer.streams[AEGP_LayerStream_POSITION].dimensions = 2;
    layer.streams[AEGP_LayerStream_POSITION].keys.push_back({{5, 24}, {1, 2}});
    EXPECT_EQ(run({"keys 5"}), "key layer=5 stream=\"Position\" frame=15 value=1,2\n");
    host.model().setInstalledEffects({"Corner Pin"});
    host.model().addEffect(5, host.model().installedEffects()[0]);
    const std::string effects = run({"effects 5"});
    EXPECT_EQ(effects.rfind("effect layer=5 index=0 id=", 0), 0u) << effects;
    EXPECT_NE(effects.find(" name=\"Corner Pin\" keys=0\n"), std::string::npos) << effects;

    // A question answered by the label of its button.
    run({"answer button add"});
    EXPECT_EQ(host.windows().takeButton().value_or(""), "add");
    EXPECT_EQ(run({"undo last"}), "error: nothing to undo\n");
}

}  // namespace
