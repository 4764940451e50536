// The simulated host's composition, item, layer and footage suites, as a project import uses them.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "common/test_dirs.h"
#include "common/test_files.h"
#include "host/host_fixture.h"
#include "host/object_handles.h"
#include "host/suite_scope.h"

namespace {

AEGP_PluginID g_enteredAs = 0;

A_Err AEGP_API RememberId(const SPBasicSuite*, A_long, A_long, const A_char*, AEGP_GlobalRefcon*,
                          AEGP_PluginID id) {
    g_enteredAs = id;
    return A_Err_NONE;
}

// A PNG header of the given size: all the host reads of the file.
std::string pngHeader(unsigned width, unsigned height) {
    std::string bytes = "\x89PNG\r\n\x1a\n";
    bytes += std::string("\0\0\0\x0dIHDR", 8);
    for (unsigned value : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>((value >> shift) & 0xff);
    return bytes + std::string(5, '\0');
}

class SimImportSuitesTest : public HostLayerTest {
protected:
    void SetUp() override {
        HostLayerTest::SetUp();
        host.enter(RememberId, "in-process");
        hostContext().pluginId = g_enteredAs;
        host.model().newProject();
        root = simhost::toHandle<AEGP_ItemH>(host.model().rootFolder());
        footageSuite.emplace();
        compSuite.emplace();
        layerSuite.emplace();
        itemSuite.emplace();
    }
    void TearDown() override {
        footageSuite.reset();
        compSuite.reset();
        layerSuite.reset();
        itemSuite.reset();
        EXPECT_TRUE(host.suites().outstanding().empty());
        HostLayerTest::TearDown();
    }

    AEGP_FootageH newFootage(const std::string& path, bool sequence, A_Err expected = A_Err_NONE) {
        AEGP_FootageH footage = nullptr;
        EXPECT_EQ((*footageSuite)
                      ->AEGP_NewFootage(hostContext().pluginId, path.c_str(), sequence ? 1 : 0,
                                        AEGP_FootageLayerKey_NONE, &footage),
                  expected)
            << path;
        return footage;
    }

    AEGP_CompH newComp(A_long frames, A_u_long fps) {
        const A_Ratio pixel = {1, 1}, rate = {static_cast<A_long>(fps), 1};
        const A_Time duration = {frames, fps};
        AEGP_CompH comp = nullptr;
        EXPECT_EQ((*compSuite)->AEGP_CreateComp(root, "Comp", 720, 576, &pixel, &duration, &rate, &comp),
                  A_Err_NONE);
        return comp;
    }

    testkit::TempDir dir;
    AEGP_ItemH root = nullptr;
    std::optional<SuiteScope<AEGP_FootageSuite3>> footageSuite;
    std::optional<SuiteScope<AEGP_CompSuite6>> compSuite;
    std::optional<SuiteScope<AEGP_LayerSuite7>> layerSuite;
    std::optional<SuiteScope<AEGP_ItemSuite4>> itemSuite;
};

TEST_F(SimImportSuitesTest, ASequenceTakesEveryFileOfItsExtensionInNameOrder) {
    for (const char* name : {"p0000.png", "p0001.png", "p0002.PNG", "notes.png.x", "other.jpg"})
        testkit::writeFile(dir.file(name), name);
    testkit::writeFile(dir.file("sub.png/inner"), "");
    const std::string first = dir.file("p0001.png");
    const struct {
        std::string path;
        bool sequence;
        std::vector<std::string> files;
    } cases[] = {
        {first, true, {dir.file("p0000.png"), dir.file("p0001.png"), dir.file("p0002.PNG")}},
        {first, false, {first}},
        {dir.file("other.jpg"), true, {dir.file("other.jpg")}},
    };
    for (const auto& c : cases) {
        AEGP_FootageH footage = newFootage(c.path, c.sequence);
        A_long count = 0, perFrame = 0;
        ASSERT_EQ((*footageSuite)->AEGP_GetFootageNumFiles(footage, &count, &perFrame), A_Err_NONE);
        std::vector<std::string> files;
        for (A_long i = 0; i < count; ++i) {
            char path[AEGP_MAX_PATH_SIZE];
            ASSERT_EQ((*footageSuite)->AEGP_GetFootagePath(footage, i, 0, path), A_Err_NONE);
            files.push_back(path);
        }
        EXPECT_EQ(files, c.files) << c.path;
        EXPECT_EQ(perFrame, 1);
    }
    newFootage(dir.file("missing.png"), true, A_Err_PARAMETER);
    newFootage(dir.path(), false, A_Err_PARAMETER);
}

TEST_F(SimImportSuitesTest, FootageJoinsTheProjectWithItsInterpretationAndSize) {
    testkit::writeFile(dir.file("p0000.png"), pngHeader(720, 576));
    testkit::writeFile(dir.file("p0001.png"), pngHeader(720, 576));
    AEGP_FootageH footage = newFootage(dir.file("p0000.png"), true);
    AEGP_FootageInterp interp{};
    ASSERT_EQ((*footageSuite)->AEGP_GetFootageInterpretation(footage, &interp), A_Err_NONE);
    EXPECT_EQ(interp.native_fpsF, 30.0 * 65536);
    interp.pixel_aspect_ratio = {59, 54};
    interp.native_fpsF = 25.0 * 65536;
    ASSERT_EQ((*footageSuite)->AEGP_SetFootageInterpretation(footage, &interp), A_Err_NONE);
    AEGP_FootageInterp bad = interp;
    bad.pixel_aspect_ratio.den = 0;
    EXPECT_EQ((*footageSuite)->AEGP_SetFootageInterpretation(footage, &bad), A_Err_PARAMETER);

    AEGP_ItemH item = nullptr;
    ASSERT_EQ((*footageSuite)->AEGP_AddFootageToProject(footage, root, &item), A_Err_NONE);
    // The project owns it now: the handle is spent.
    AEGP_ItemH again = nullptr;
    EXPECT_EQ((*footageSuite)->AEGP_AddFootageToProject(footage, root, &again), A_Err_PARAMETER);
    EXPECT_EQ((*footageSuite)->AEGP_GetFootageInterpretation(footage, &interp), A_Err_PARAMETER);

    A_long width = 0, height = 0;
    ASSERT_EQ((*itemSuite)->AEGP_GetItemDimensions(item, &width, &height), A_Err_NONE);
    EXPECT_EQ(width, 720);
    EXPECT_EQ(height, 576);
    AEGP_FootageH main = nullptr;
    ASSERT_EQ((*footageSuite)->AEGP_GetMainFootageFromItem(item, &main), A_Err_NONE);
    AEGP_FootageInterp read{};
    ASSERT_EQ((*footageSuite)->AEGP_GetFootageInterpretation(main, &read), A_Err_NONE);
    EXPECT_EQ(read.pixel_aspect_ratio.num, 59);
    EXPECT_EQ(read.native_fpsF, 25.0 * 65536);

    std::ostringstream dump;
    host.model().dump(dump);
    EXPECT_NE(
        dump.str().find("type=footage name=\"p0000.png\" parent=" +
                        std::to_string(host.model().rootFolder()) + " files=2 first=\"" +
                        dir.file("p0000.png") + "\" sequence=1 width=720 height=576 pixel=59/54 fps=25"),
        std::string::npos)
        << dump.str();
}

TEST_F(SimImportSuitesTest, CompositionHandlesAreNotItems) {
    AEGP_CompH comp = newComp(100, 25);
    AEGP_ItemH item = nullptr;
    ASSERT_EQ((*compSuite)->AEGP_GetItemFromComp(comp, &item), A_Err_NONE);
    A_FpLong fps = 0;
    ASSERT_EQ((*compSuite)->AEGP_GetCompFramerate(comp, &fps), A_Err_NONE);
    EXPECT_EQ(fps, 25.0);
    // Each handle where the other belongs finds nothing.
    EXPECT_EQ((*compSuite)->AEGP_GetCompFramerate(reinterpret_cast<AEGP_CompH>(item), &fps), A_Err_PARAMETER);
    AEGP_ItemType type = AEGP_ItemType_NONE;
    EXPECT_EQ((*itemSuite)->AEGP_GetItemType(reinterpret_cast<AEGP_ItemH>(comp), &type), A_Err_PARAMETER);
    ASSERT_EQ((*itemSuite)->AEGP_GetItemType(item, &type), A_Err_NONE);
    EXPECT_EQ(type, AEGP_ItemType_COMP);

    const A_Ratio pixel = {1, 1}, rate = {25, 1};
    const A_Time duration = {100, 25};
    AEGP_CompH none = nullptr;
    EXPECT_EQ((*compSuite)->AEGP_CreateComp(root, "Empty", 0, 576, &pixel, &duration, &rate, &none),
              A_Err_PARAMETER);
    EXPECT_EQ((*compSuite)->AEGP_CreateComp(item, "In a comp", 720, 576, &pixel, &duration, &rate, &none),
              A_Err_PARAMETER);
}

TEST_F(SimImportSuitesTest, LayersLastAsLongAsTheirSourceAndKeepTheirTimes) {
    for (const char* name : {"p0000.png", "p0001.png", "p0002.png", "p0003.png", "p0004.png", "logo.tga"})
        testkit::writeFile(dir.file(name), "");
    AEGP_CompH comp = newComp(100, 25);
    auto addLayerOf = [&](const std::string& path, bool sequence) {
        AEGP_FootageH footage = newFootage(path, sequence);
        AEGP_FootageInterp interp{};
        (*footageSuite)->AEGP_GetFootageInterpretation(footage, &interp);
        interp.native_fpsF = 25.0 * 65536;
        (*footageSuite)->AEGP_SetFootageInterpretation(footage, &interp);
        AEGP_ItemH item = nullptr;
        (*footageSuite)->AEGP_AddFootageToProject(footage, root, &item);
        AEGP_LayerH layer = nullptr;
        EXPECT_EQ((*layerSuite)->AEGP_AddLayer(item, comp, &layer), A_Err_NONE);
        return layer;
    };
    AEGP_LayerH sequence = addLayerOf(dir.file("p0000.png"), true);
    AEGP_LayerH still = addLayerOf(dir.file("logo.tga"), false);
    A_Time time{};
    ASSERT_EQ((*layerSuite)->AEGP_GetLayerDuration(sequence, AEGP_LTimeMode_LayerTime, &time), A_Err_NONE);
    EXPECT_EQ(time.value * 5, static_cast<A_long>(time.scale));  // 5 frames at 25 fps
    ASSERT_EQ((*layerSuite)->AEGP_GetLayerDuration(still, AEGP_LTimeMode_LayerTime, &time), A_Err_NONE);
    EXPECT_EQ(time.value * 1, static_cast<A_long>(time.scale) * 4);  // the composition's 4 s

    const A_Time offset = {10, 25}, in = {5, 25}, duration = {40, 25};
    ASSERT_EQ((*layerSuite)->AEGP_SetLayerOffset(still, &offset), A_Err_NONE);
    ASSERT_EQ((*layerSuite)->AEGP_SetLayerInPointAndDuration(still, AEGP_LTimeMode_LayerTime, &in, &duration),
              A_Err_NONE);
    ASSERT_EQ((*layerSuite)->AEGP_GetLayerInPoint(still, AEGP_LTimeMode_LayerTime, &time), A_Err_NONE);
    EXPECT_EQ(time.value * 5, static_cast<A_long>(time.scale));  // 5/25 s
    ASSERT_EQ((*layerSuite)->AEGP_GetLayerInPoint(still, AEGP_LTimeMode_CompTime, &time), A_Err_NONE);
    EXPECT_EQ(time.value * 5, static_cast<A_long>(time.scale) * 3);  // 15/25 s
    const A_Time negative = {-1, 25};
    EXPECT_EQ((*layerSuite)->AEGP_SetLayerInPointAndDuration(still, AEGP_LTimeMode_LayerTime, &in, &negative),
              A_Err_PARAMETER);

    std::ostringstream dump;
    host.model().dump(dump);
    EXPECT_NE(dump.str().find("in=1/5 duration=8/5 offset=2/5"), std::string::npos) << dump.str();
    // The newer layer lies on top.
    EXPECT_LT(
        dump.str().find("source=" + std::to_string(host.model().layer(simhost::fromHandle(still))->source)),
        dump.str().find("source=" +
                        std::to_string(host.model().layer(simhost::fromHandle(sequence))->source)));
}

TEST_F(SimImportSuitesTest, SelectingAnItemCanDeselectAllOthers) {
    AEGP_ItemH first = nullptr, second = nullptr;
    (*compSuite)->AEGP_GetItemFromComp(newComp(10, 25), &first);
    (*compSuite)->AEGP_GetItemFromComp(newComp(10, 25), &second);
    ASSERT_EQ((*itemSuite)->AEGP_SelectItem(first, 1, 0), A_Err_NONE);
    ASSERT_EQ((*itemSuite)->AEGP_SelectItem(second, 1, 0), A_Err_NONE);
    EXPECT_TRUE(host.model().item(simhost::fromHandle(first))->selected);
    ASSERT_EQ((*itemSuite)->AEGP_SelectItem(second, 1, 1), A_Err_NONE);
    EXPECT_FALSE(host.model().item(simhost::fromHandle(first))->selected);
    EXPECT_TRUE(host.model().item(simhost::fromHandle(second))->selected);
}

}  // namespace
