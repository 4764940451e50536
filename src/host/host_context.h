#pragma once

#include <array>

#include "ae_types.h"
#include "sp_basic_suite.h"

// The six commands of the plug-in, in the order of the command table.
constexpr int kCommandCount = 6;

// What the entry learns from the host and every later call reads: set on the host's main thread
// before any other thread starts, kept for the module's life.
struct HostContext {
    const SPBasicSuite* basicSuite = nullptr;
    AEGP_PluginID pluginId = 0;
    std::array<AEGP_Command, kCommandCount> commands{};
    // The host's main window as the entry asked for it: the parent of the plug-in's dialogs.
    void* mainWindow = nullptr;
};

HostContext& hostContext();
