#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "link/pipe.h"
#include "plugin/command_table.h"
#include "plugin/hooks.h"
#include "tests/common/fault_walk.h"
#include "tests/plugin/plugin_fixture.h"

namespace {

using simhost::HookKind;

// Six commands from position 8 of the Animation menu, four hooks in order (the command hook
// before the host's own and for every command), then the project flavor. (The other tests reach the command,
// menu and idle hooks through the host.)
TEST_F(PluginTest, EntryRegistersSixCommandsFourHooksAndTheProjectFlavor) {
    ASSERT_EQ(enter(), 0);
    const auto items = host->menus().items(AEGP_Menu_ANIMATION);
    const std::vector<std::string> texts = {"",
                                            "Upload as Underlay to Skelda",
                                            "",
                                            "Load Transformations from Skelda",
                                            "Read Transformations from Skelda File...",
                                            "Import Project from Skelda"};
    ASSERT_EQ(items.size(), 6u);
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].position, static_cast<A_long>(8 + i));
        EXPECT_EQ(items[i].text, texts[i]);
        EXPECT_EQ(items[i].command, hostContext().commands[i]);
        EXPECT_EQ(commandIndexOf(items[i].command), static_cast<int>(i));
    }
    EXPECT_EQ(commandIndexOf(0), -1);
    EXPECT_EQ(hostContext().basicSuite, host->basicSuite());
    EXPECT_EQ(hostContext().pluginId, 1);
    const auto& hooks = host->registrations().hooks;
    const HookKind kinds[] = {HookKind::Command, HookKind::UpdateMenu, HookKind::Idle, HookKind::Death};
    ASSERT_EQ(hooks.size(), 4u);
    for (std::size_t i = 0; i < hooks.size(); ++i) {
        EXPECT_EQ(hooks[i].kind, kinds[i]) << i;
        EXPECT_EQ(hooks[i].refcon, nullptr) << i;
        EXPECT_EQ(hooks[i].plugin, 1) << i;
    }
    EXPECT_EQ(hooks[0].priority, AEGP_HP_BeforeAE);
    EXPECT_EQ(hooks[0].command, 0);
    EXPECT_EQ(hooks[3].deathHook, &DeathHook);
    EXPECT_TRUE(host->reports().empty());
    EXPECT_TRUE(host->suites().outstanding().empty());
    ASSERT_EQ(host->registrations().flavors.size(), 1u);
    const simhost::ImportFlavor& flavor = host->registrations().flavors[0];
    EXPECT_EQ(flavor.name, "Skelda Project");
    ASSERT_EQ(flavor.fileTypes.size(), 1u);
    unsigned char typeBytes[4];
    std::memcpy(typeBytes, &flavor.fileTypes[0].type, 4);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(typeBytes), 4), std::string("skp\0", 4));
    EXPECT_EQ(flavor.fileTypes[0].creator, 0xFFFFFFFFu);
    ASSERT_EQ(flavor.extensions.size(), 1u);
    EXPECT_EQ(std::string(flavor.extensions[0].extension, 8), std::string(".skp\0\0\0\0", 8));
    EXPECT_EQ(flavor.flags, 2);
    EXPECT_TRUE(flavor.hasCallbacks);
    EXPECT_EQ(flavor.callbacks.refcon, nullptr);
    EXPECT_EQ(flavor.callbacks.import_cb, &ImportProjectFile);
    EXPECT_EQ(flavor.callbacks.verify_cb, &VerifyProjectFile);
}

// The action text each host call of the entry carries.
const std::map<std::string, std::string> kActions = {
    {"AEGP_GetMainHWND", "getting main HWND"},
    {"AEGP_GetUniqueCommand", "getting unique command"},
    {"AEGP_InsertMenuCommand", "inserting menu command"},
    {"AEGP_RegisterCommandHook", "registering command hook"},
    {"AEGP_RegisterUpdateMenuHook", "registering update menu hook"},
    {"AEGP_RegisterIdleHook", "registering idle hook"},
    {"AEGP_RegisterDeathHook", "registering death hook"},
    {"AEGP_RegisterImportFlavor", "registering import flavor"},
    {"AEGP_RegisterImportFlavorFileTypes", "registering import flavor file types"},
    {"AEGP_RegisterImportFlavorImportCallbacks", "registering import flavor import callbacks"},
};

// Every host call of the entry failed in turn: the message names it, the host gets its code
// back, what was registered before stays, nothing after it is registered, no suite stays held.
TEST_F(PluginTest, FaultWalkOverEveryHostCallOfTheEntry) {
    ASSERT_EQ(enter(), 0);
    const std::vector<std::string> calls = host->faults().calls();
    ASSERT_EQ(calls.size(), 20u);
    const auto points = testkit::failurePoints(calls);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::string& operation = calls[i];
        ASSERT_EQ(kActions.count(operation), 1u) << operation;
        // How many calls of `called` went through before the failing one.
        const auto before = [&](const char* called) {
            return static_cast<std::size_t>(
                std::count(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(i), called));
        };
        freshHost();
        const A_Err code = -100 - static_cast<A_Err>(i);
        host->faults().fail(operation, points[i].k, code);
        EXPECT_EQ(enter(), code) << operation;
        EXPECT_EQ(host->reports(), std::vector<std::string>{"Error while " + kActions.at(operation) + "."})
            << i;
        EXPECT_EQ(host->menus().items(AEGP_Menu_ANIMATION).size(), before("AEGP_InsertMenuCommand")) << i;
        EXPECT_EQ(host->registrations().hooks.size(),
                  before("AEGP_RegisterCommandHook") + before("AEGP_RegisterUpdateMenuHook") +
                      before("AEGP_RegisterIdleHook") + before("AEGP_RegisterDeathHook"))
            << i;
        const auto& flavors = host->registrations().flavors;
        ASSERT_EQ(flavors.size(), before("AEGP_RegisterImportFlavor")) << i;
        if (!flavors.empty()) {
            EXPECT_EQ(flavors[0].fileTypes.size(), before("AEGP_RegisterImportFlavorFileTypes")) << i;
            EXPECT_FALSE(flavors[0].hasCallbacks);
        }
        // After the failing call only the report reaches the host.
        const auto& after = host->faults().calls();
        ASSERT_GE(after.size(), i + 1);
        EXPECT_EQ(std::vector<std::string>(after.begin() + static_cast<std::ptrdiff_t>(i) + 1, after.end()),
                  (std::vector<std::string>{"sprintf", "AEGP_ReportInfo"}))
            << i;
        EXPECT_TRUE(host->suites().outstanding().empty()) << i;
    }
}

TEST_F(PluginTest, SuiteOfferedInNoVersionMakesTheEntryReturnOneSilently) {
    const char* suites[] = {kAEGPUtilitySuite, kAEGPCommandSuite, kAEGPRegisterSuite, kAEGPFIMSuite};
    for (const char* suite : suites) {
        freshHost();
        host->suites().withdraw(suite, -1);
        EXPECT_EQ(enter(), 1) << suite;
        EXPECT_TRUE(host->reports().empty()) << suite;
        EXPECT_TRUE(host->suites().outstanding().empty()) << suite;
    }
}

TEST_F(PluginTest, EntryWithoutBasicSuiteReturnsOne) {
    EXPECT_EQ(skeldaPluginMain(AEGP_ENTRY_ARGUMENTS(nullptr, 0, 0, "", "", 3, nullptr)), 1);
}

// The entry starts the plug-in's server unless another process serves its pipe; death stops it.
TEST_F(PluginTest, EntryStartsTheServerUnlessThePipeIsServedAndDeathStopsIt) {
    for (const bool served : {false, true}) {
        freshHost();
        std::optional<ServerPipe> first;
        if (served) first.emplace(kPluginPipeName);
        ASSERT_EQ(enter(), 0);
        EXPECT_EQ(pluginApp().hasServer(), !served);
        EXPECT_TRUE(ClientPipe(kPluginPipeName).isAvailable());
        EXPECT_EQ(DeathHook(nullptr, nullptr), 0);
        EXPECT_EQ(ClientPipe(kPluginPipeName).isAvailable(), served);
        EXPECT_EQ(DeathHook(nullptr, nullptr), 0);
    }
}

}  // namespace
