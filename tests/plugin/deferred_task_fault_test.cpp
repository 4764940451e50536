// Every host call of each queued task failed in turn.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "plugin/deferred_tasks.h"
#include "tests/common/fault_walk.h"
#include "tests/plugin/plugin_fixture.h"

namespace {

class TaskFaultTest : public PluginTest {
protected:
    enum class Queued { Import, Apply };

    // A fresh host with an open project and one queued task: the import of a three-frame project,
    // or a four-frame result for the active layer that keys its streams and a Transform effect.
    void prepare(Queued kind = Queued::Import) {
        freshHost();
        ASSERT_EQ(enter(), 0);
        host->model().newProject();
        if (kind == Queued::Import) {
            auto task = std::make_unique<ImportProjectTask>();
            task->project.name = "Walk";
            task->project.width = 64;
            task->project.height = 48;
            for (int i = 0; i < 3; ++i) {
                task->project.underlayFiles.push_back(files.file("w_000" + std::to_string(i) + ".png"));
                std::ofstream(task->project.underlayFiles.back()) << i;
            }
            task->project.overlay.files = {files.file("logo.png")};
            std::ofstream(files.file("logo.png")) << "logo";
            task->project.overlay.trimming = {0, 3};
            deferredTaskQueue().push(std::move(task));
        } else {
            const int root = host->model().rootFolder();
            const int comp = host->model().addComp("Comp", 64, 48, 25.0, {100, 25}, root);
            const int source = host->model().addComp("Source", 64, 48, 25.0, {100, 25}, root);
            host->model().activeItem = comp;
            host->model().activeLayer = host->model().addLayer(comp, source, AEGP_ObjectType_AV);
            auto task = std::make_unique<ApplyTransformationsTask>();
            task->transformations.exportModel = ExportModel::Affine3;
            for (int i = 0; i < 4; ++i) {
                Transform t;
                t.x = 1.5 * i;
                t.xx = 1 + 0.01 * i;
                t.xy = 0.003 * i;
                task->transformations.frames.push_back(t);
            }
            deferredTaskQueue().push(std::move(task));
        }
        host->faults().clearCalls();
    }
    std::vector<std::string> onDisk() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(files.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Every host call of the task's run failed in turn: the failure is reported with the host's
    // code, the task is gone, suites, undo groups and references are balanced (but for the one
    // release the host refused), the footage made is in the project or disposed, and the user's
    // files are as they were.
    void walk(Queued kind, A_Err code) {
        prepare(kind);
        const auto before = onDisk();
        ASSERT_EQ(host->idle(), 0);
        ASSERT_TRUE(host->reports().empty()) << host->reports()[0];
        const auto points = testkit::failurePoints(host->faults().calls());
        ASSERT_FALSE(points.empty());
        for (const testkit::FailurePoint& point : points) {
            const std::string step = point.name();
            prepare(kind);
            host->faults().fail(point.operation, point.k, code);
            EXPECT_EQ(host->idle(), code) << step;
            ASSERT_EQ(host->reports().size(), 1u) << step;
            EXPECT_EQ(host->reports()[0].rfind("Error while ", 0), 0u) << host->reports()[0];
            EXPECT_EQ(deferredTaskQueue().size(), 0u);
            EXPECT_TRUE(host->suites().outstanding().empty()) << step;
            EXPECT_EQ(host->model().openUndoGroups(), 0) << step;
            EXPECT_TRUE(host->model().newFootage.empty()) << step;
            const bool release =
                point.operation == "AEGP_DisposeStream" || point.operation == "AEGP_DisposeEffect";
            EXPECT_EQ(host->references().outstanding().size(), release ? 1u : 0u) << step;
            EXPECT_EQ(onDisk(), before) << step;
            // The next idle call has nothing left to run.
            EXPECT_EQ(host->idle(), 0);
        }
    }

    testkit::TempDir files;
};

TEST_F(TaskFaultTest, EveryHostCallOfAProjectImportFailedInTurn) {
    walk(Queued::Import, -11);
}

TEST_F(TaskFaultTest, EveryHostCallOfAnApplyFailedInTurn) {
    walk(Queued::Apply, -14);
}

}  // namespace
