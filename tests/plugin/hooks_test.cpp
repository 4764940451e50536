// The hooks in a simulated host: idle, the import flavor's callbacks, commands and menu updates.
#include "plugin/hooks.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/ae_exception.h"
#include "plugin/command_table.h"
#include "tests/common/fault_walk.h"
#include "tests/common/installation_sandbox.h"
#include "tests/plugin/plugin_fixture.h"

namespace {

std::vector<std::string> g_log;

class RecordedTask : public DeferredTask {
public:
    explicit RecordedTask(std::string name, int throws = 0) : name_(std::move(name)), throws_(throws) {}
    ~RecordedTask() override { g_log.push_back("destroy " + name_); }
    void execute() override {
        g_log.push_back("run " + name_);
        if (throws_ == 1) throw AE_Exception(-9, "applying effect");
        if (throws_ == 2) throw std::runtime_error("no layer");
    }

private:
    std::string name_;
    int throws_;
};

// The plug-in entered into a host with no application installed or running around.
class HooksTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        g_log.clear();
        ASSERT_EQ(enter(), 0);
    }
    const simhost::MenuItem& item(CommandIndex index) {
        return *host->menus().find(hostContext().commands[index]);
    }

    testkit::InstallationSandbox installation;
};

// One task per idle call in push order; a failing one is reported and destroyed, never run
// again; what is left at a reset is destroyed unrun.
TEST_F(HooksTest, IdleRunsOneTaskPerCallInPushOrder) {
    deferredTaskQueue().push(std::make_unique<RecordedTask>("a"));
    deferredTaskQueue().push(std::make_unique<RecordedTask>("host", 1));
    deferredTaskQueue().push(std::make_unique<RecordedTask>("std", 2));
    deferredTaskQueue().push(std::make_unique<RecordedTask>("left"));
    EXPECT_EQ(host->idle(), 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"run a", "destroy a"}));
    EXPECT_EQ(host->idle(), -9);
    EXPECT_EQ(host->idle(), 1);
    resetPluginState();
    EXPECT_EQ(g_log, (std::vector<std::string>{"run a", "destroy a", "run host", "destroy host", "run std",
                                               "destroy std", "destroy left"}));
    EXPECT_EQ(host->reports(),
              (std::vector<std::string>{"Error while applying effect.", "Exception: no layer"}));
    EXPECT_TRUE(host->suites().outstanding().empty());
}

TEST_F(HooksTest, VerifyAcceptsEveryFileAndImportFailsCleanly) {
    A_Boolean importable = 0;
    EXPECT_EQ(VerifyProjectFile("anything.txt", nullptr, &importable), 0);
    EXPECT_EQ(importable, 1);
    EXPECT_EQ(VerifyProjectFile(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(ImportProjectFile("a.skp", nullptr, AE_FIM_SpecialAction_NONE, nullptr, nullptr), 1);
    ASSERT_EQ(host->reports().size(), 1u);
    EXPECT_EQ(host->reports()[0].rfind("Exception: ", 0), 0u);
}

TEST_F(HooksTest, CommandsOfOthersAreLeftUnhandled) {
    for (AEGP_Command command : {AEGP_Command(1), AEGP_Command(0)}) {
        const auto outcome = host->runCommand(command);
        EXPECT_EQ(outcome.result, 0);
        EXPECT_FALSE(outcome.handled);
    }
    EXPECT_TRUE(host->reports().empty());
}

// Every host call of a menu update failed in turn: the error is reported with its action, the
// commands named before it keep their new text, and the suite is released.
TEST_F(HooksTest, EveryHostCallOfAMenuUpdateFailedInTurn) {
    host->model().newProject();
    host->faults().clearCalls();
    ASSERT_EQ(host->updateMenus(), 0);
    const std::vector<std::string> calls = host->faults().calls();
    // Only the application and overlay commands change their text.
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "AEGP_SetMenuCommandName"), 2);
    const auto points = testkit::failurePoints(calls);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::string step = points[i].name();
        freshHost();
        ASSERT_EQ(enter(), 0);
        host->model().newProject();
        host->faults().fail(points[i].operation, points[i].k, -5);
        EXPECT_EQ(host->updateMenus(), -5) << step;
        ASSERT_EQ(host->reports().size(), 1u) << step;
        EXPECT_EQ(host->reports()[0].rfind("Error while ", 0), 0u) << host->reports()[0];
        const auto named = std::count(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(i),
                                      "AEGP_SetMenuCommandName");
        EXPECT_EQ(item(ApplicationCommand).text == "Launch Skelda", named >= 1) << step;
        EXPECT_EQ(item(OverlayCommand).text == "Upload as Overlay to Skelda", named >= 2) << step;
        EXPECT_TRUE(host->suites().outstanding().empty()) << step;
    }
}

}  // namespace
