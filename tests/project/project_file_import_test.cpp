// The import flavor's callback: a project file opened through the host's import becomes a
// composition with the tracking result, or a clear error with the directories and the host as they were.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "host/file_import.h"
#include "import_fixture.h"
#include "plugin/plugin_entry.h"
#include "sample_project.h"

using namespace importkit;
using namespace isolationkit;

namespace {

// What the user is told when an operation of the import or of the application of its tracking
// result fails.
const std::map<std::string, std::string> kActions = {
    {"AEGP_StartUndoGroup", "starting undo group"},
    {"AEGP_EndUndoGroup", "ending undo group"},
    {"AEGP_GetProjectByIndex", "getting project by index"},
    {"AEGP_GetProjectRootFolder", "getting project root folder"},
    {"AEGP_CreateComp", "creating composition"},
    {"AEGP_GetItemFromComp", "getting item from composition"},
    {"AEGP_NewFootage", "allocating new footage"},
    {"AEGP_GetFootageInterpretation", "getting footage's interpretation"},
    {"AEGP_SetFootageInterpretation", "setting footage's interpretation"},
    {"AEGP_AddFootageToProject", "adding footage to project"},
    {"AEGP_AddLayer", "adding layer into composition"},
    {"AEGP_SetLayerOffset", "setting layer's offset"},
    {"AEGP_SetLayerInPointAndDuration", "setting layer's in point and duration"},
    {"AEGP_SelectItem", "selecting item"},
    {"AEGP_SetImportedItem", "setting imported item"},
    {"AEGP_GetLayerObjectType", "getting layer's object type"},
    {"AEGP_GetLayerParentComp", "getting layer's parent composition"},
    {"AEGP_GetCompFramerate", "getting composition's framerate"},
    {"AEGP_GetLayerSourceItem", "getting layer's source item"},
    {"AEGP_GetItemDimensions", "getting item's dimensions"},
    {"AEGP_GetMainHWND", "getting main HWND"},
    {"AEGP_GetLayerInPoint", "getting layer's in-point"},
    {"AEGP_GetLayerDuration", "getting layer's duration"},
    {"AEGP_GetNewLayerStream", "getting new layer's stream"},
    {"AEGP_DisposeStream", "disposing stream"},
    {"AEGP_StartAddKeyframes", "starting bulk keyframe addition"},
    {"AEGP_AddKeyframes", "adding keyframe (bulk)"},
    {"AEGP_SetAddKeyframe", "setting keyframe value (bulk)"},
    {"AEGP_EndAddKeyframes", "ending bulk keyframe addition"},
    {"AEGP_InsertKeyframe", "inserting keyframe"},
    {"AEGP_SetKeyframeValue", "setting keyframe value"},
    {"AEGP_GetNumInstalledEffects", "getting number of installed effects"},
    {"AEGP_GetNextInstalledEffect", "getting next installed effect"},
    {"AEGP_GetEffectName", "getting effect name"},
    {"AEGP_ApplyEffect", "applying effect"},
    {"AEGP_DisposeEffect", "disposing effect"},
    {"AEGP_GetNewEffectStreamByIndex", "getting new effect's stream by index"},
    {"AEGP_OpenProgress", "opening progress window"},
    {"AEGP_StepProgress", "updating progress window"},
    {"AEGP_CloseProgress", "closing progress window"},
    {"AEGP_ShowMessage", "showing message box"},
};

// The n-th call of an operation: the main window is disabled, then enabled, once per application.
std::string actionOf(const std::string& operation, int nth) {
    if (operation == "AEGP_EnableMainWindow")
        return nth % 2 == 1 ? "disabling main window" : "enabling main window";
    const auto found = kActions.find(operation);
    return found == kActions.end() ? "an unexpected operation: " + operation : found->second;
}

class ProjectFileImportTest : public ImportTest {
protected:
    void SetUp() override {
        ImportTest::SetUp();
        enterPlugin();
    }
    void enterPlugin() {
        ASSERT_EQ(host->enter(SkeldaPluginMain, "in-process"), A_Err_NONE);
        host->faults().clearCalls();
    }
    void freshPlugin() {
        freshHost();
        enterPlugin();
    }
    simhost::ImportResult importFile(const std::string& path) {
        const simhost::ImportFlavor flavor = host->registrations().flavors.at(0);
        return simhost::importWithFlavor(*host, flavor, path);
    }
    // Keyframes on each layer of the composition, top first.
    std::vector<std::size_t> keysPerLayer(const simhost::Item& comp) {
        std::vector<std::size_t> counts;
        for (simhost::Layer* layer : layersOf(comp)) {
            std::size_t keys = 0;
            for (const auto& [which, stream] : layer->streams) keys += stream.keys.size();
            for (int effect : layer->effects)
                for (const simhost::Stream& stream : host->model().effect(effect)->params)
                    keys += stream.keys.size();
            counts.push_back(keys);
        }
        return counts;
    }

    testkit::PipeSandbox pipes;
};

TEST_F(ProjectFileImportTest, TheSampleBecomesItsCompositionWithKeyframesOnTheOverlay) {
    const std::string project = writeSampleProject(dir.path());
    const auto before = snapshot(dir.path());
    const simhost::ImportResult result = importFile(project);
    ASSERT_EQ(result.result, A_Err_NONE) << testing::PrintToString(host->reports());
    const simhost::Item* comp = host->model().item(result.item);
    ASSERT_NE(comp, nullptr);
    EXPECT_EQ(comp->name, "Sample");
    EXPECT_EQ(comp->width, 160);
    EXPECT_EQ(comp->comp.fps, 24.0);
    EXPECT_EQ(comp->comp.duration.value * 24, static_cast<A_long>(comp->comp.duration.scale) * kSampleFrames);
    const auto layers = layersOf(*comp);
    ASSERT_EQ(layers.size(), 2u);
    EXPECT_EQ(host->model().item(layers[1]->source)->footage.files.size(),
              static_cast<std::size_t>(kSampleFrames));
    EXPECT_EQ(layers[0]->offset.value * 24, static_cast<A_long>(layers[0]->offset.scale) * 2);
    EXPECT_EQ(layers[0]->duration.value * 24, static_cast<A_long>(layers[0]->duration.scale) * 12);
    const auto keys = keysPerLayer(*comp);
    EXPECT_GT(keys[0], 0u);
    EXPECT_EQ(keys[1], 0u);
    EXPECT_EQ(host->model().undoGroups().at(0).name, "Import of Skelda Project 'Sample'");
    EXPECT_EQ(host->model().openUndoGroups(), 0);
    EXPECT_TRUE(host->reports().empty());
    EXPECT_TRUE(host->suites().outstanding().empty());
    EXPECT_EQ(snapshot(dir.path()), before);
}

TEST_F(ProjectFileImportTest, AProjectThatBuildsNothingIsAnErrorNotASuccessWithoutItem) {
    const std::string project = writeSampleProject(dir.path(), false);
    const simhost::ImportResult result = importFile(project);
    EXPECT_NE(result.result, A_Err_NONE);
    EXPECT_EQ(result.item, 0);
    EXPECT_EQ(host->reports(), std::vector<std::string>{"Exception: the Skelda project \"" + project +
                                                        "\" has no underlay footage: nothing to import"});
    EXPECT_TRUE(host->model().undoGroups().empty());

    // A trimming the host cannot take is refused before anything is built, and nothing is renamed.
    std::string text = readFile(writeSampleProject(dir.path()));
    const std::string trimming = "first=\"1\" last=\"13\"";
    ASSERT_NE(text.find(trimming), std::string::npos);
    writeFile(dir.file("reversed.skp"),
              text.replace(text.find(trimming), trimming.size(), "first=\"13\" last=\"1\""));
    host->reports().clear();
    const auto before = snapshot(dir.path());
    EXPECT_NE(importFile(dir.file("reversed.skp")).result, A_Err_NONE);
    EXPECT_EQ(snapshot(dir.path()), before);
    ASSERT_EQ(host->reports().size(), 1u);
    EXPECT_NE(host->reports()[0].find("Trimming that ends before it starts"), std::string::npos)
        << host->reports()[0];
    EXPECT_TRUE(host->model().undoGroups().empty());

    writeFile(dir.file("broken.skp"), "<Project");
    host->reports().clear();
    EXPECT_NE(importFile(dir.file("broken.skp")).result, A_Err_NONE);
    ASSERT_EQ(host->reports().size(), 1u);
    EXPECT_EQ(host->reports()[0].rfind("Exception: ", 0), 0u);
    EXPECT_TRUE(host->suites().outstanding().empty());
}

// Fails every host call, rename and journal write of the import in turn.
TEST_F(ProjectFileImportTest, FailingAnyStepLeavesTheDirectoriesAsTheyWereAndTheHostBalanced) {
    const std::string project = writeSampleProject(dir.path());
    const auto before = snapshot(dir.path());
    ASSERT_EQ(importFile(project).result, A_Err_NONE);
    const std::vector<std::string> calls = host->faults().calls();

    auto checkAfterwards = [&](const simhost::ImportResult& result, const std::string& expectedReport) {
        EXPECT_EQ(snapshot(dir.path()), before);
        EXPECT_TRUE(state.journals().empty());
        EXPECT_EQ(host->model().openUndoGroups(), 0);
        EXPECT_TRUE(host->suites().outstanding().empty());
        // Every footage made is in the project or disposed.
        EXPECT_TRUE(host->model().newFootage.empty());
        if (expectedReport.empty()) {
            EXPECT_EQ(result.result, A_Err_NONE);
            EXPECT_NE(result.item, 0);
            EXPECT_TRUE(host->reports().empty()) << testing::PrintToString(host->reports());
        } else {
            EXPECT_NE(result.result, A_Err_NONE);
            EXPECT_EQ(result.item, 0);
            EXPECT_EQ(host->reports(), std::vector<std::string>{expectedReport});
        }
    };
    std::map<std::string, int> seen;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const std::string& operation = calls[i];
        SCOPED_TRACE("failing call " + std::to_string(i + 1) + ": " + operation);
        freshPlugin();
        const int nth = ++seen[operation];
        host->faults().fail(operation, nth, -9);
        const simhost::ImportResult result = importFile(project);
        checkAfterwards(result, "Error while " + actionOf(operation, nth) + ".");
    }

    for (int k = 1;; ++k) {
        SCOPED_TRACE("failing file step " + std::to_string(k));
        freshPlugin();
        FaultyFileCalls files(k);
        ScopedIsolationFileCalls scoped(files);
        const simhost::ImportResult result = importFile(project);
        if (files.count() < k) {
            checkAfterwards(result, "");
            // Journal, notes.png and p0024.png aside and back.
            EXPECT_EQ(k, 6);
            break;
        }
        const bool back = files.failedStep.find(".x\" into") != std::string::npos;
        checkAfterwards(result,
                        back ? ""
                             : "Exception: " + (files.failedStep.find("journal") != std::string::npos
                                                    ? "System error: no space left\n" + files.failedStep
                                                    : files.failedStep));
    }
}

}  // namespace
