// "AEGP Register Suite" 1: the hooks modules register.
#include "host/host_call.h"
#include "host/suite_catalog.h"

namespace simhost {

namespace {

A_Err addHook(const char* operation, AEGP_PluginID plugin, RegisteredHook hook, bool hasFunction) {
    return hostCall(operation, [&](SimHost& host) -> A_Err {
        if (!hasFunction || !host.knowsPlugin(plugin)) return A_Err_PARAMETER;
        hook.plugin = plugin;
        host.registrations().hooks.push_back(hook);
        return A_Err_NONE;
    });
}

A_Err AEGP_API RegisterCommandHook(AEGP_PluginID plugin, AEGP_HookPriority priority, AEGP_Command command,
                                   AEGP_CommandHook function, AEGP_CommandRefcon refcon) {
    RegisteredHook hook;
    hook.kind = HookKind::Command;
    hook.priority = priority;
    hook.command = command;
    hook.refcon = refcon;
    hook.commandHook = function;
    return addHook("AEGP_RegisterCommandHook", plugin, hook, function != nullptr);
}

A_Err AEGP_API RegisterUpdateMenuHook(AEGP_PluginID plugin, AEGP_UpdateMenuHook function,
                                      AEGP_UpdateMenuRefcon refcon) {
    RegisteredHook hook;
    hook.kind = HookKind::UpdateMenu;
    hook.refcon = refcon;
    hook.updateMenuHook = function;
    return addHook("AEGP_RegisterUpdateMenuHook", plugin, hook, function != nullptr);
}

A_Err AEGP_API RegisterDeathHook(AEGP_PluginID plugin, AEGP_DeathHook function, AEGP_DeathRefcon refcon) {
    RegisteredHook hook;
    hook.kind = HookKind::Death;
    hook.refcon = refcon;
    hook.deathHook = function;
    return addHook("AEGP_RegisterDeathHook", plugin, hook, function != nullptr);
}

A_Err AEGP_API RegisterIdleHook(AEGP_PluginID plugin, AEGP_IdleHook function, AEGP_IdleRefcon refcon) {
    RegisteredHook hook;
    hook.kind = HookKind::Idle;
    hook.refcon = refcon;
    hook.idleHook = function;
    return addHook("AEGP_RegisterIdleHook", plugin, hook, function != nullptr);
}

const AEGP_RegisterSuite1 kRegisterSuite1 = {
    RegisterCommandHook,
    RegisterUpdateMenuHook,
    RegisterDeathHook,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    RegisterIdleHook,
};

}  // namespace

void offerRegisterSuite(SuiteBookkeeping& suites) {
    suites.offer(kAEGPRegisterSuite, kAEGPRegisterSuiteVersion1, &kRegisterSuite1);
}

}  // namespace simhost
