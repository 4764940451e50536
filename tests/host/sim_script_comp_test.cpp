// The script words that build compositions, answer dialogs and show what was done.
#include <gtest/gtest.h>

#include <sstream>

#include "host/script.h"

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

}  // namespace
