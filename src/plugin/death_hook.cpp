#include "host/hook_guard.h"
#include "plugin/hooks.h"
#include "plugin/plugin_app.h"
#include "plugin/plugin_state.h"

A_Err AEGP_API DeathHook(AEGP_GlobalRefcon, AEGP_DeathRefcon) {
    return HookGuard([]() -> A_Err {
        pluginApp().stopPluginServer();
        return A_Err_NONE;
    });
}
