#include "host/hook_guard.h"
#include "plugin/hooks.h"

// The host offers every command to this hook; until the commands have handlers it takes none,
// leaving the host's own commands and ours unhandled.
A_Err AEGP_API CommandHook(AEGP_GlobalRefcon, AEGP_CommandRefcon, AEGP_Command, AEGP_HookPriority, A_Boolean,
                           A_Boolean*) {
    return HookGuard([]() -> A_Err { return A_Err_NONE; });
}
