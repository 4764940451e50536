// "AEGP Register Suite" 1: the hooks modules register.
#include "sim/host/host_call.h"
#include "sim/host/suite_catalog.h"

namespace simhost {

namespace {

// Registers `hook` as a hook of `kind` calling `function` (kept in the member `slot`) with `refcon`.
template <class Function>
A_Err addHook(const char* operation, AEGP_PluginID plugin, HookKind kind, Function RegisteredHook::*slot,
              Function function, void* refcon, RegisteredHook hook = RegisteredHook()) {
    hook.kind = kind;
    hook.refcon = refcon;
    hook.*slot = function;
    return hostCall(operation, [&](SimHost& host) -> A_Err {
        if (function == nullptr || !host.knowsPlugin(plugin)) return A_Err_PARAMETER;
        // A command hook runs before or after the host's own handling, nothing else.
        if (kind == HookKind::Command && hook.priority != AEGP_HP_BeforeAE &&
            hook.priority != AEGP_HP_AfterAE)
            return A_Err_PARAMETER;
        hook.plugin = plugin;
        host.registrations().hooks.push_back(hook);
        return A_Err_NONE;
    });
}

A_Err AEGP_API RegisterCommandHook(AEGP_PluginID plugin, AEGP_HookPriority priority, AEGP_Command command,
                                   AEGP_CommandHook function, AEGP_CommandRefcon refcon) {
    RegisteredHook hook;
    hook.priority = priority;
    hook.command = command;
    return addHook("AEGP_RegisterCommandHook", plugin, HookKind::Command, &RegisteredHook::commandHook,
                   function, refcon, hook);
}

A_Err AEGP_API RegisterUpdateMenuHook(AEGP_PluginID plugin, AEGP_UpdateMenuHook function,
                                      AEGP_UpdateMenuRefcon refcon) {
    return addHook("AEGP_RegisterUpdateMenuHook", plugin, HookKind::UpdateMenu,
                   &RegisteredHook::updateMenuHook, function, refcon);
}

A_Err AEGP_API RegisterDeathHook(AEGP_PluginID plugin, AEGP_DeathHook function, AEGP_DeathRefcon refcon) {
    return addHook("AEGP_RegisterDeathHook", plugin, HookKind::Death, &RegisteredHook::deathHook, function,
                   refcon);
}

A_Err AEGP_API RegisterIdleHook(AEGP_PluginID plugin, AEGP_IdleHook function, AEGP_IdleRefcon refcon) {
    return addHook("AEGP_RegisterIdleHook", plugin, HookKind::Idle, &RegisteredHook::idleHook, function,
                   refcon);
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
