#include "host/hook_guard.h"
#include "plugin/hooks.h"

// Menu state is not computed yet: the commands keep what the host shows.
A_Err AEGP_API UpdateMenuHook(AEGP_GlobalRefcon, AEGP_UpdateMenuRefcon, AEGP_WindowType) {
    return HookGuard([]() -> A_Err { return A_Err_NONE; });
}
