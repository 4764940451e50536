// Finding and describing the footage the user works on, against the simulated host.
#include "host/active_footage.h"

#include <stdexcept>

#include "host/footage_upload.h"
#include "sim/host/object_handles.h"
#include "tests/host/host_fixture.h"

namespace {

class ActiveFootageTest : public HostLayerTest {
protected:
    void SetUp() override {
        HostLayerTest::SetUp();
        host.model().newProject();
        root = host.model().rootFolder();
        comp = host.model().addComp("Comp 1", 640, 480, 30.0, {300, 30}, root);
    }
    int footage(const std::vector<std::string>& files) { return host.model().addFootage("f", files, root); }
    int layer(int source, AEGP_ObjectType type = AEGP_ObjectType_AV) {
        return host.model().addLayer(comp, source, type);
    }
    static std::vector<std::string> sequence(int count) {
        std::vector<std::string> files;
        for (int i = 0; i < count; ++i)
            files.push_back("C:\\shots\\a\\shot_" + std::to_string(1000 + i) + ".png");
        return files;
    }
    int itemIdOf(AEGP_ItemH item) { return simhost::itemOf(host.model(), item)->id; }

    int root = 0;
    int comp = 0;
};

TEST_F(ActiveFootageTest, FindsTheActiveItemOrTheActiveLayersSource) {
    const int still = footage({"C:\\a\\still.png"});
    const int cameraLayer = layer(0, AEGP_ObjectType_CAMERA);
    const int footageLayer = layer(still);
    const int compLayer = layer(host.model().addComp("Inner", 10, 10, 30.0, {30, 30}, root));
    struct Case {
        int activeItem, activeLayer;
        FindStatus status;
        int found;
    } cases[] = {
        {0, 0, kNoActiveItem, 0},
        {still, 0, kFootageFound, still},
        {comp, footageLayer, kFootageFound, still},
        {comp, cameraLayer, kNotAFootage, 0},
        {comp, 0, kNotAFootage, 0},
        {0, compLayer, kNotAFootage, 0},
        {0, cameraLayer, kNoActiveItem, 0},
    };
    for (const Case& c : cases) {
        host.model().activeItem = c.activeItem;
        host.model().activeLayer = c.activeLayer;
        AEGP_ItemH item = nullptr;
        EXPECT_EQ(FindActiveFootage(item), c.status) << c.activeItem << "/" << c.activeLayer;
        if (c.found) {
            EXPECT_EQ(itemIdOf(item), c.found);
        }
    }
}

TEST_F(ActiveFootageTest, CountsFilesButNoAviMovie) {
    struct Case {
        std::vector<std::string> files;
        A_long count;
    } cases[] = {
        {{"C:\\a\\still.png"}, 1},
        {sequence(100), 100},
        {{"C:\\a\\clip.AVI"}, 0},
        {{"C:\\a\\clip.mov"}, 1},
    };
    for (const Case& c : cases) {
        host.model().activeItem = footage(c.files);
        EXPECT_EQ(CountActiveFootageFiles(), c.count) << c.files[0];
    }
    host.model().activeItem = comp;
    EXPECT_EQ(CountActiveFootageFiles(), 0);
}

TEST_F(ActiveFootageTest, DescribesFilesRateRatioAndStartFrame) {
    const int item = footage(sequence(3));
    simhost::Item& model = *host.model().item(item);
    model.footage.interp.native_fpsF = 25.0;
    model.footage.interp.pix_aspect_ratio = {10, 11};
    host.model().activeItem = item;
    std::vector<std::string> files = {"kept"};
    FootageDescription description;
    AEGP_ItemH found = nullptr;
    ASSERT_EQ(FindActiveFootage(found), kFootageFound);
    DescribeActiveFootage(found, files, description);
    const std::vector<std::string> expected = {"kept", "C:\\shots\\a\\shot_1000.png",
                                               "C:\\shots\\a\\shot_1001.png", "C:\\shots\\a\\shot_1002.png"};
    EXPECT_EQ(files, expected);
    EXPECT_EQ(description.framerate, 25u);
    EXPECT_EQ(description.pixelAspectRatio.num, 10);
    EXPECT_EQ(description.pixelAspectRatio.den, 11u);
    EXPECT_EQ(description.startFrame, 1000);
}

// The host keeps frames per second; the application is sent whole frames, cut toward zero.
TEST_F(ActiveFootageTest, FrameRateIsTheHostsRateCutToWholeFrames) {
    const int item = footage(sequence(2));
    host.model().activeItem = item;
    const struct {
        double native;
        std::uint32_t sent;
    } cases[] = {{24.0, 24}, {29.97, 29}, {59.94, 59}, {0.5, 0}, {-5.0, 0}};
    for (const auto& c : cases) {
        host.model().item(item)->footage.interp.native_fpsF = c.native;
        EXPECT_EQ(activeFootageUpload(MessageType::Overlay).description.framerate, c.sent) << c.native;
    }
}

TEST_F(ActiveFootageTest, StartFrameIsTheNumberEndingTheBaseName) {
    struct Case {
        const char* path;
        std::int32_t frame;
    } cases[] = {
        {"C:\\shots\\shot_0042.tga", 42},      {"frame12a7.png", 7},    {"C:\\plate.png", 0},
        {"/work/p2147483647.png", 2147483647}, {"C:\\12\\name.png", 0}, {"x0000", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(StartFrameFromPath(c.path), c.frame) << c.path;
    // Beyond 32 bits the last nine digits count, still one apart from file to file.
    EXPECT_EQ(StartFrameFromPath("p2147483648.png"), 147483648);
    EXPECT_EQ(StartFrameFromPath("C:\\cam\\clip_20231206123456.png"), 206123456);
    EXPECT_EQ(StartFrameFromPath("clip_20231206123457.png"), 206123457);
    EXPECT_EQ(StartFrameFromPath("x99999999999999999999999.png"), 999999999);
}

TEST_F(ActiveFootageTest, LocalActionsFollowFootageLayerAndProject) {
    const int still = footage({"C:\\a\\still.png"});
    const int movie = footage({"C:\\a\\clip.avi"});
    const int plate = footage(sequence(5));
    struct Case {
        int activeItem;
        bool avLayer;
        PossibleActions expected;
    } cases[] = {
        {still, true, {false, true, true, true, true}},
        {movie, true, {false, false, false, true, true}},
        {plate, false, {true, true, false, false, true}},
    };
    for (const Case& c : cases) {
        host.model().activeItem = c.activeItem;
        host.model().activeLayer = c.avLayer ? layer(c.activeItem) : 0;
        PossibleActions actions;
        ComputeLocalActions(actions);
        const auto flags = [](const PossibleActions& a) {
            return std::vector<bool>{a.underlay, a.overlay, a.stillOverlay, a.transformations, a.project};
        };
        EXPECT_EQ(flags(actions), flags(c.expected)) << c.activeItem;
    }
}

TEST_F(ActiveFootageTest, HostFailuresNameTheirCall) {
    host.model().activeItem = footage(sequence(2));
    struct Case {
        const char* operation;
        const char* action;
    } cases[] = {
        {"AEGP_GetActiveItem", "getting active item"},
        {"AEGP_GetItemType", "getting item's type"},
        {"AEGP_GetMainFootageFromItem", "getting main footage from item"},
        {"AEGP_GetFootageNumFiles", "getting footage's number of files"},
        {"AEGP_GetFootagePath", "getting footage's path"},
        {"AEGP_GetFootageInterpretation", "getting footage's interpretation"},
    };
    for (const Case& c : cases) {
        host.faults().fail(c.operation, 1, 7);
        EXPECT_EQ(hostFailureOf([] { activeFootageUpload(MessageType::Overlay); }),
                  std::make_pair(A_Err(7), std::string(c.action)));
        host.faults().clear();
    }
}

}  // namespace
