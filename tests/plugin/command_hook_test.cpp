// The command hook and the update-menu hook in a simulated host, with no application around.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/fault_walk.h"
#include "common/installation_sandbox.h"
#include "plugin/command_table.h"
#include "plugin/hooks.h"
#include "plugin/plugin_fixture.h"

namespace {

class CommandHookTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        ASSERT_EQ(enter(), 0);
    }
    AEGP_Command commandOf(CommandIndex index) const { return hostContext().commands[index]; }
    const simhost::MenuItem& item(CommandIndex index) { return *host->menus().find(commandOf(index)); }

    testkit::InstallationSandbox installation;
};

TEST_F(CommandHookTest, CommandsOfOthersAreLeftUnhandled) {
    for (AEGP_Command command : {AEGP_Command(1), AEGP_Command(0)}) {
        const auto outcome = host->runCommand(command);
        EXPECT_EQ(outcome.result, 0);
        EXPECT_FALSE(outcome.handled);
    }
    EXPECT_TRUE(host->reports().empty());
}

// Every host call of a menu update failed in turn: the error is reported with its action, the
// commands named before it keep their new text, and the suite is released.
TEST_F(CommandHookTest, EveryHostCallOfAMenuUpdateFailedInTurn) {
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
