#include "aegp_command_suite.h"
#include "host/active_footage.h"
#include "host/check_host.h"
#include "host/hook_guard.h"
#include "host/suite_scope.h"
#include "link/launcher.h"
#include "link/pipe.h"
#include "plugin/application_offer.h"
#include "plugin/hooks.h"
#include "plugin/menu_state.h"

namespace {

// Sets every command, in table order, in one acquisition: a failure leaves the later ones as
// they were.
void applyMenuState(const std::array<CommandState, kCommandCount>& state) {
    const HostContext& context = hostContext();
    SuiteScope<AEGP_CommandSuite1> commands;
    for (int i = 0; i < kCommandCount; ++i) {
        const AEGP_Command command = context.commands[i];
        if (state[i].enabled)
            CheckHost(commands->AEGP_EnableCommand(command), "enabling command");
        else
            CheckHost(commands->AEGP_DisableCommand(command), "disabling command");
        if (state[i].text != nullptr)
            CheckHost(commands->AEGP_SetMenuCommandName(command, state[i].text), "setting menu command name");
    }
}

}  // namespace

// Both views are computed anew on every call; nothing is kept between menus. The host's own
// failures are reported; the application's silence or failure only greys out its commands.
A_Err AEGP_API UpdateMenuHook(AEGP_GlobalRefcon, AEGP_UpdateMenuRefcon, AEGP_WindowType) {
    return HookGuard([]() -> A_Err {
        MenuView view;
        ComputeLocalActions(view.local);
        view.application = applicationOffer(kApplicationPipeName);
        view.applicationRunning = isApplicationRunning();
        view.applicationInstalled = isApplicationInstalled();
        applyMenuState(computeMenuState(view));
        return A_Err_NONE;
    });
}
