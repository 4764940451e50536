#include "plugin/plugin_entry.h"

#include <string>

#include "host/check_host.h"
#include "host/hook_guard.h"
#include "host/host_suites.h"
#include "host/main_window.h"
#include "host/suite_scope.h"
#include "link/error_report.h"
#include "plugin/command_table.h"
#include "plugin/hooks.h"
#include "plugin/import_flavor.h"
#include "plugin/plugin_state.h"
#include "project/recovery_at_load.h"
#include "ui/message_box.h"

namespace {

// Each command in its own acquisition, so a failure leaves the earlier ones in the menu.
void InsertCommands(HostContext& context) {
    for (const CommandEntry& entry : kCommandTable) {
        SuiteScope<AEGP_CommandSuite1> commands;
        AEGP_Command command = 0;
        CheckHost(commands->AEGP_GetUniqueCommand(&command), "getting unique command");
        context.commands[entry.index] = command;
        CheckHost(commands->AEGP_InsertMenuCommand(command, entry.text, entry.menu, entry.position),
                  "inserting menu command");
    }
}

void registerHooks(const AEGP_RegisterSuite1& registry, AEGP_PluginID pluginId) {
    CheckHost(
        registry.AEGP_RegisterCommandHook(pluginId, AEGP_HP_BeforeAE, AEGP_Command_ALL, CommandHook, nullptr),
        "registering command hook");
    CheckHost(registry.AEGP_RegisterUpdateMenuHook(pluginId, UpdateMenuHook, nullptr),
              "registering update menu hook");
    CheckHost(registry.AEGP_RegisterIdleHook(pluginId, IdleHook, nullptr), "registering idle hook");
    CheckHost(registry.AEGP_RegisterDeathHook(pluginId, DeathHook, nullptr), "registering death hook");
}

// Said once, in the host's message area: the module works on, but the application's requests
// cannot reach it.
void reportServerUnavailable(const std::string& why) noexcept {
    try {
        const std::string text = "The Skelda application cannot reach this plug-in: " + why;
        HostSuites suites;
        suites.utility().AEGP_ReportInfo(hostContext().pluginId, text.c_str());
    } catch (...) {
    }
}

// The server thread's errors, in the system's message box over the host's window.
void showServerError(const std::string& text) {
    showMessageBox(hostContext().mainWindow, text.c_str(), kMessageBoxExclamation);
}

}  // namespace

// The module keeps no framework state of its own to switch to; everything it needs between
// calls is in the host context.
// Any host version will do, and the plug-in keeps no global refcon.
A_Err AEGP_API skeldaPluginMain(AEGP_ENTRY_PARAMETERS(pica_basicP, , , aegp_plugin_id, )) {
    return HookGuard([&]() -> A_Err {
        HostContext& context = hostContext();
        context.basicSuite = pica_basicP;
        context.pluginId = aegp_plugin_id;
        // Files a crash left renamed aside come back before anything else can import.
        recoverInterruptedImports();
        context.mainWindow = getMainWindow();
        InsertCommands(context);
        // Held across the flavor and the server start.
        SuiteScope<AEGP_RegisterSuite1> registry;
        registerHooks(*registry, aegp_plugin_id);
        registerImportFlavor();
        setErrorBox(showServerError);
        const std::string why = pluginApp().startPluginServer();
        if (!why.empty()) reportServerUnavailable(why);
        return A_Err_NONE;
    });
}
