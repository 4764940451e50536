#include "host/hook_guard.h"
#include "plugin/command_actions.h"
#include "plugin/hooks.h"

// The host offers every command to this hook: ours are taken, the host's are left as they came.
A_Err AEGP_API CommandHook(AEGP_GlobalRefcon, AEGP_CommandRefcon, AEGP_Command command, AEGP_HookPriority,
                           A_Boolean, A_Boolean* handledPB) {
    return HookGuard([command, handledPB]() -> A_Err {
        const int index = commandIndexOf(command);
        if (index < 0) return A_Err_NONE;
        if (handledPB != nullptr) *handledPB = 1;
        runCommand(static_cast<CommandIndex>(index));
        return A_Err_NONE;
    });
}
