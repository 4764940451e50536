#include "sim/host/sim_host.h"

#include <atomic>
#include <stdexcept>

#include "sim/host/basic_suite.h"
#include "sim/host/loaded_module.h"
#include "sim/host/suite_catalog.h"

namespace simhost {

namespace {

std::atomic<SimHost*> g_current{nullptr};

// The API version the simulated host reports to modules.
constexpr A_long kMajorVersion = 13;
constexpr A_long kMinorVersion = 0;

}  // namespace

SimHost::SimHost() {
    SimHost* expected = nullptr;
    if (!g_current.compare_exchange_strong(expected, this))
        throw std::logic_error("another simulated host is already running in this process");
    offerBuiltinSuites(suites_);
}

SimHost::~SimHost() {
    try {
        shutdown();
    } catch (...) {
    }
    g_current.store(nullptr);
}

SimHost* SimHost::current() {
    return g_current.load();
}

const SPBasicSuite* SimHost::basicSuite() const {
    return simBasicSuite();
}

// Only the 32-bit host hands the module its path.
A_Err SimHost::enter(AEGP_PluginEntryFunc entry, [[maybe_unused]] const std::string& modulePath) {
    AEGP_PluginID plugin = 0;
    {
        auto guard = lock();
        plugin = ++lastPlugin_;
        refcons_[plugin] = nullptr;
    }
    AEGP_GlobalRefcon refcon = nullptr;
    // The module's resources are in its own file.
    const A_Err result = entry(AEGP_ENTRY_ARGUMENTS(basicSuite(), kMajorVersion, kMinorVersion,
                                                    modulePath.c_str(), modulePath.c_str(), plugin, &refcon));
    auto guard = lock();
    refcons_[plugin] = refcon;
    return result;
}

SimHost::LoadResult SimHost::loadModule(const std::string& path) {
    auto module = std::make_unique<LoadedModule>(path);
    LoadResult loaded;
    loaded.name = module->pipl().name();
    loaded.entryPoint = module->pipl().entryPoint();
    const AEGP_PluginEntryFunc entry = module->entry();
    {
        auto guard = lock();
        modules_.push_back(std::move(module));
    }
    loaded.result = enter(entry, path);
    return loaded;
}

void SimHost::shutdown() {
    if (!dead_) {
        dead_ = true;
        for (const RegisteredHook& hook : hooksOf(HookKind::Death)) {
            hook.deathHook(refconOf(hook.plugin), hook.refcon);
        }
    }
    std::vector<std::unique_ptr<LoadedModule>> modules;
    {
        auto guard = lock();
        modules.swap(modules_);
        // Nothing of an unloaded module may be called again.
        registrations_.hooks.clear();
        for (ImportFlavor& flavor : registrations_.flavors) flavor.hasCallbacks = false;
    }
    while (!modules.empty()) modules.pop_back();
}

std::vector<RegisteredHook> SimHost::hooksOf(HookKind kind) {
    auto guard = lock();
    std::vector<RegisteredHook> result;
    for (const RegisteredHook& hook : registrations_.hooks) {
        if (hook.kind == kind) result.push_back(hook);
    }
    return result;
}

AEGP_GlobalRefcon SimHost::refconOf(AEGP_PluginID plugin) {
    auto guard = lock();
    auto found = refcons_.find(plugin);
    return found == refcons_.end() ? nullptr : found->second;
}

A_Err SimHost::updateMenus() {
    A_Err first = A_Err_NONE;
    for (const RegisteredHook& hook : hooksOf(HookKind::UpdateMenu)) {
        const A_Err result = hook.updateMenuHook(refconOf(hook.plugin), hook.refcon, AEGP_WindType_COMP);
        if (first == A_Err_NONE) first = result;
    }
    return first;
}

SimHost::CommandResult SimHost::runCommand(AEGP_Command command) {
    CommandResult outcome;
    for (const RegisteredHook& hook : hooksOf(HookKind::Command)) {
        if (hook.command != AEGP_Command_ALL && hook.command != command) continue;
        A_Boolean handled = 0;
        const A_Err result = hook.commandHook(refconOf(hook.plugin), hook.refcon, command, hook.priority,
                                              outcome.handled ? 1 : 0, &handled);
        if (outcome.result == A_Err_NONE) outcome.result = result;
        if (handled) outcome.handled = true;
    }
    return outcome;
}

A_Err SimHost::idle(A_long* maxSleep) {
    A_Err first = A_Err_NONE;
    A_long sleep = 100;
    for (const RegisteredHook& hook : hooksOf(HookKind::Idle)) {
        A_long asked = sleep;
        const A_Err result = hook.idleHook(refconOf(hook.plugin), hook.refcon, &asked);
        if (asked >= 0 && asked < sleep) sleep = asked;
        if (first == A_Err_NONE) first = result;
    }
    if (maxSleep != nullptr) *maxSleep = sleep;
    return first;
}

SimHost::VerifyResult SimHost::verifyImport(const ImportFlavor& flavor, const std::string& path) {
    VerifyResult outcome;
    if (!flavor.hasCallbacks || flavor.callbacks.verify_cb == nullptr) {
        outcome.result = A_Err_GENERIC;
        return outcome;
    }
    A_Boolean importable = 0;
    outcome.result = flavor.callbacks.verify_cb(path.c_str(), flavor.callbacks.refcon, &importable);
    outcome.importable = importable != 0;
    return outcome;
}

bool SimHost::setImportedItem(int options, int item) {
    auto found = importedItems_.find(options);
    if (found == importedItems_.end()) return false;
    found->second = item;
    return true;
}

int SimHost::importedItem(int options) const {
    auto found = importedItems_.find(options);
    return found == importedItems_.end() ? 0 : found->second;
}

}  // namespace simhost
