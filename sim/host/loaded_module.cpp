#include "sim/host/loaded_module.h"

#include <stdexcept>

namespace simhost {

LoadedModule::LoadedModule(const std::string& path) : path_(path) {
    const std::vector<unsigned char> bytes = readModulePipl(path);
    pipl_ = parsePipl(bytes.data(), bytes.size());
    if (pipl_.kind() != "AEgx") throw std::runtime_error("module " + path + " is not a General Plug-in");
    const std::string entryName = pipl_.entryPoint();
    if (entryName.empty()) throw std::runtime_error("module " + path + " names no entry point");
    library_ = std::make_unique<ModuleLibrary>(path);
    entry_ = reinterpret_cast<AEGP_PluginEntryFunc>(library_->symbol(entryName));
    if (entry_ == nullptr) throw std::runtime_error("module " + path + " does not export " + entryName);
}

}  // namespace simhost
