// The import flavor's callback: a project file opened through the host's import becomes a
// composition with the tracking result, or a clear error with the directories and the host as they were.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "plugin/plugin_entry.h"
#include "sim/host/file_import.h"
#include "tests/common/fault_walk.h"
#include "tests/common/host_call_actions.h"
#include "tests/project/import_fixture.h"
#include "tests/project/sample_project.h"

using namespace importkit;
using namespace isolationkit;

namespace {

class ProjectFileImportTest : public ImportTest {
protected:
    ProjectFileImportTest() : ImportTest(testkit::kPipeSandbox) {}
    void SetUp() override {
        ImportTest::SetUp();
        enterPlugin();
    }
    void enterPlugin() {
        ASSERT_EQ(host->enter(skeldaPluginMain, "in-process"), A_Err_NONE);
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
};

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

// The host calls the import with the path, its options, the special action, the folder to import
// into and the flavor's refcon; the composition comes from the file at that path, and its 24 fps
// sequence reaches the host at 24 frames per second.
TEST_F(ProjectFileImportTest, TheHostsImportCallImportsTheFileAtItsPath) {
    const std::string project = writeSampleProject(dir.path());
    const simhost::ImportFlavor flavor = host->registrations().flavors.at(0);
    int options = 0;
    {
        auto guard = host->lock();
        options = host->beginImport();
    }
    const A_Err result = flavor.callbacks.import_cb(
        project.c_str(), simhost::toHandle<AE_FIM_ImportOptions>(options),
        AE_FIM_SpecialAction_DRAG_N_DROP_FILE, simhost::toHandle<AEGP_ItemH>(host->model().rootFolder()),
        flavor.callbacks.refcon);
    ASSERT_EQ(result, A_Err_NONE) << testing::PrintToString(host->reports());
    const simhost::Item* comp = host->model().item(host->importedItem(options));
    ASSERT_NE(comp, nullptr);
    EXPECT_EQ(comp->name, "Sample");
    const auto layers = layersOf(*comp);
    ASSERT_EQ(layers.size(), 2u);
    for (const simhost::Layer* layer : layers)
        EXPECT_EQ(host->model().item(layer->source)->footage.interp.native_fpsF, 24.0);

    A_Boolean importable = 0;
    EXPECT_EQ(flavor.callbacks.verify_cb(project.c_str(), flavor.callbacks.refcon, &importable), A_Err_NONE);
    EXPECT_EQ(importable, 1);
}

// Fails every host call, rename and journal write of the import in turn.
TEST_F(ProjectFileImportTest, FailingAnyStepLeavesTheDirectoriesAsTheyWereAndTheHostBalanced) {
    const std::string project = writeSampleProject(dir.path());
    const auto before = snapshot(dir.path());
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
    // The import itself: the sample's composition, keyframes on the overlay alone.
    const simhost::ImportResult result = importFile(project);
    checkAfterwards(result, "");
    const std::vector<std::string> calls = host->faults().calls();
    const simhost::Item* comp = host->model().item(result.item);
    ASSERT_NE(comp, nullptr);
    EXPECT_EQ(comp->name, "Sample");
    EXPECT_EQ(comp->comp.fps, 24.0);
    const auto keys = keysPerLayer(*comp);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_GT(keys[0], 0u);
    EXPECT_EQ(keys[1], 0u);
    EXPECT_EQ(host->model().undoGroups().at(0).name, "Import of Skelda Project 'Sample'");

    for (const testkit::FailurePoint& point : testkit::failurePoints(calls)) {
        SCOPED_TRACE("failing " + point.name());
        freshPlugin();
        host->faults().fail(point.operation, point.k, -9);
        checkAfterwards(importFile(project),
                        "Error while " + testkit::hostCallAction(point.operation, point.k) + ".");
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
