// Every host call of a queued project import and of a menu update failed in turn: the failure is
// reported with the host's code, the task is gone, and suites and undo groups stay balanced.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/installation_sandbox.h"
#include "plugin/deferred_tasks.h"
#include "plugin/plugin_fixture.h"

namespace {

class TaskFaultTest : public PluginTest {
protected:
    // A fresh host with an open project and one queued import of a three-frame project.
    void prepare() {
        freshHost();
        ASSERT_EQ(enter(), 0);
        host->model().newProject();
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
        host->faults().clearCalls();
    }
    std::vector<std::string> onDisk() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(files.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    testkit::TempDir files;
};

TEST_F(TaskFaultTest, EveryHostCallOfAProjectImportFailedInTurn) {
    prepare();
    const auto before = onDisk();
    ASSERT_EQ(host->idle(), 0);
    const std::vector<std::string> calls = host->faults().calls();
    ASSERT_FALSE(calls.empty());
    for (std::size_t i = 0; i < calls.size(); ++i) {
        int k = 0;
        for (std::size_t j = 0; j <= i; ++j) k += calls[j] == calls[i];
        prepare();
        host->faults().fail(calls[i], k, -11);
        EXPECT_EQ(host->idle(), -11) << calls[i] << " #" << k;
        ASSERT_EQ(host->reports().size(), 1u) << calls[i] << " #" << k;
        EXPECT_EQ(host->reports()[0].rfind("Error while ", 0), 0u) << host->reports()[0];
        EXPECT_EQ(deferredTaskQueue().size(), 0u);
        EXPECT_TRUE(host->suites().outstanding().empty()) << calls[i] << " #" << k;
        EXPECT_EQ(host->model().openUndoGroups(), 0) << calls[i] << " #" << k;
        EXPECT_EQ(onDisk(), before) << calls[i] << " #" << k;
        // The next idle call has nothing left to run.
        EXPECT_EQ(host->idle(), 0);
    }
}

TEST_F(TaskFaultTest, EveryHostCallOfAMenuUpdateFailedInTurn) {
    testkit::InstallationSandbox installation;
    prepare();
    ASSERT_EQ(host->updateMenus(), 0);
    const std::vector<std::string> calls = host->faults().calls();
    ASSERT_FALSE(calls.empty());
    for (std::size_t i = 0; i < calls.size(); ++i) {
        int k = 0;
        for (std::size_t j = 0; j <= i; ++j) k += calls[j] == calls[i];
        prepare();
        host->faults().fail(calls[i], k, -12);
        EXPECT_EQ(host->updateMenus(), -12) << calls[i] << " #" << k;
        ASSERT_EQ(host->reports().size(), 1u) << calls[i] << " #" << k;
        EXPECT_EQ(host->reports()[0].rfind("Error while ", 0), 0u) << host->reports()[0];
        EXPECT_TRUE(host->suites().outstanding().empty()) << calls[i] << " #" << k;
    }
}

}  // namespace
