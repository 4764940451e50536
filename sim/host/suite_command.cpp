// "AEGP Command Suite" 1: command numbers and menu items.
#include "sim/host/host_call.h"
#include "sim/host/suite_catalog.h"

namespace simhost {

namespace {

A_Err AEGP_API GetUniqueCommand(AEGP_Command* commandP) {
    return hostCall("AEGP_GetUniqueCommand", [&](SimHost& host) -> A_Err {
        if (commandP == nullptr) return A_Err_PARAMETER;
        *commandP = host.menus().newCommand();
        return A_Err_NONE;
    });
}

A_Err AEGP_API InsertMenuCommand(AEGP_Command command, const A_char* name, AEGP_MenuID menu,
                                 A_long position) {
    return hostCall("AEGP_InsertMenuCommand", [&](SimHost& host) -> A_Err {
        if (name == nullptr || !host.menus().issued(command)) return A_Err_PARAMETER;
        return host.menus().insert(command, name, menu, position) ? A_Err_NONE : A_Err_PARAMETER;
    });
}

A_Err AEGP_API SetMenuCommandName(AEGP_Command command, const A_char* name) {
    return hostCall("AEGP_SetMenuCommandName", [&](SimHost& host) -> A_Err {
        MenuItem* item = host.menus().find(command);
        if (item == nullptr || name == nullptr) return A_Err_PARAMETER;
        item->text = name;
        return A_Err_NONE;
    });
}

A_Err setEnabled(const char* operation, AEGP_Command command, bool enabled) {
    return hostCall(operation, [&](SimHost& host) -> A_Err {
        MenuItem* item = host.menus().find(command);
        if (item == nullptr) return A_Err_PARAMETER;
        item->enabled = enabled;
        return A_Err_NONE;
    });
}

A_Err AEGP_API EnableCommand(AEGP_Command command) {
    return setEnabled("AEGP_EnableCommand", command, true);
}

A_Err AEGP_API DisableCommand(AEGP_Command command) {
    return setEnabled("AEGP_DisableCommand", command, false);
}

const AEGP_CommandSuite1 kCommandSuite1 = {
    GetUniqueCommand, InsertMenuCommand, nullptr, SetMenuCommandName, EnableCommand, DisableCommand,
};

}  // namespace

void offerCommandSuite(SuiteBookkeeping& suites) {
    suites.offer(kAEGPCommandSuite, kAEGPCommandSuiteVersion1, &kCommandSuite1);
}

}  // namespace simhost
