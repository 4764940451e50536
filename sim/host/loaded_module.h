#pragma once

#include <memory>
#include <string>

#include "aegp_entry.h"
#include "sim/host/module_library.h"
#include "sim/host/pipl_reader.h"

namespace simhost {

// A module the host loaded: its PiPL and the entry point the PiPL names. Unloaded when the
// object goes.
class LoadedModule {
public:
    // Reads the PiPL, checks that it describes a General Plug-in with an entry point, loads the
    // library and finds that entry; raises std::runtime_error otherwise.
    explicit LoadedModule(const std::string& path);

    const std::string& path() const { return path_; }
    const Pipl& pipl() const { return pipl_; }
    AEGP_PluginEntryFunc entry() const { return entry_; }

private:
    std::string path_;
    Pipl pipl_;
    std::unique_ptr<ModuleLibrary> library_;
    AEGP_PluginEntryFunc entry_ = nullptr;
};

}  // namespace simhost
