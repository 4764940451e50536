// The command hook and the update-menu hook in a simulated host, with no application around.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/installation_sandbox.h"
#include "common/test_dirs.h"
#include "link/launcher.h"
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

TEST_F(CommandHookTest, AFailedCommandIsHandledAndReported) {
    // With the application neither running nor installed, launching it fails.
    const auto outcome = host->runCommand(commandOf(ApplicationCommand));
    EXPECT_TRUE(outcome.handled);
    EXPECT_EQ(outcome.result, 1);
    ASSERT_EQ(host->reports().size(), 1u);
    EXPECT_EQ(host->reports()[0].rfind("Exception: ", 0), 0u) << host->reports()[0];
    EXPECT_TRUE(host->suites().outstanding().empty());
}

TEST_F(CommandHookTest, MenuWithoutApplicationDisablesEverythingAndNamesBothCommands) {
    EXPECT_EQ(host->updateMenus(), 0);
    for (int i = 0; i < kCommandCount; ++i) EXPECT_FALSE(item(CommandIndex(i)).enabled) << i;
    EXPECT_EQ(item(ApplicationCommand).text, "Launch Skelda");
    EXPECT_EQ(item(OverlayCommand).text, "Upload as Overlay to Skelda");
    EXPECT_EQ(item(UnderlayCommand).text, "Upload as Underlay to Skelda");
    EXPECT_TRUE(host->reports().empty());
    EXPECT_TRUE(host->suites().outstanding().empty());
}

// Every host call of a menu update failed in turn: the error is reported with its action, the
// commands set before it keep their new state, and the suite is released.
TEST_F(CommandHookTest, MenuUpdateFailingPartWay) {
    struct Step {
        const char* operation;
        int k;
        const char* report;
        int namedBefore;  // how many of the two texts were set before the failure
    } steps[] = {
        {"AEGP_DisableCommand", 1, "Error while disabling command.", 0},
        {"AEGP_SetMenuCommandName", 1, "Error while setting menu command name.", 0},
        {"AEGP_DisableCommand", 3, "Error while disabling command.", 1},
        {"AEGP_SetMenuCommandName", 2, "Error while setting menu command name.", 1},
        {"AEGP_DisableCommand", 6, "Error while disabling command.", 2},
    };
    for (const Step& step : steps) {
        freshHost();
        ASSERT_EQ(enter(), 0);
        host->faults().fail(step.operation, step.k, -5);
        EXPECT_EQ(host->updateMenus(), -5) << step.operation << step.k;
        EXPECT_EQ(host->reports(), std::vector<std::string>{step.report}) << step.operation << step.k;
        EXPECT_EQ(item(ApplicationCommand).text == "Launch Skelda", step.namedBefore >= 1)
            << step.operation << step.k;
        EXPECT_EQ(item(OverlayCommand).text == "Upload as Overlay to Skelda", step.namedBefore >= 2)
            << step.operation << step.k;
        EXPECT_TRUE(host->suites().outstanding().empty()) << step.operation << step.k;
    }
}

}  // namespace
