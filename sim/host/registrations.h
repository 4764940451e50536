#pragma once

#include <string>
#include <vector>

#include "aegp_suites.h"

namespace simhost {

enum class HookKind { Command, UpdateMenu, Idle, Death };

const char* hookKindName(HookKind kind);

// One hook as a module registered it; only the function of its kind is set.
struct RegisteredHook {
    HookKind kind = HookKind::Command;
    AEGP_PluginID plugin = 0;
    AEGP_HookPriority priority = 0;
    AEGP_Command command = 0;
    void* refcon = nullptr;
    AEGP_CommandHook commandHook = nullptr;
    AEGP_UpdateMenuHook updateMenuHook = nullptr;
    AEGP_IdleHook idleHook = nullptr;
    AEGP_DeathHook deathHook = nullptr;
};

struct ImportFlavor {
    AE_FIM_ImportFlavorRef id = 0;
    std::string name;
    std::vector<AEGP_FileType> fileTypes;
    std::vector<AEGP_FileExtension> extensions;
    bool hasCallbacks = false;
    AE_FIM_ImportFlags flags = 0;
    AE_FIM_ImportCallbacks callbacks{};
};

// What modules registered with the host, in registration order.
struct Registrations {
    std::vector<RegisteredHook> hooks;
    std::vector<ImportFlavor> flavors;
    AE_FIM_ImportFlavorRef lastFlavor = 500;

    ImportFlavor* flavor(AE_FIM_ImportFlavorRef id);
    // The flavor with callbacks whose extensions include the file's (case ignored), or null.
    ImportFlavor* flavorForFile(const std::string& path);
};

}  // namespace simhost
