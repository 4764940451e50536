#include <dlfcn.h>

#include <stdexcept>

#include "sim/host/elf_sections.h"
#include "sim/host/module_library.h"

namespace simhost {

std::vector<unsigned char> readModulePipl(const std::string& path) {
    return readElfSection(path, ".skelda_pipl");
}

ModuleLibrary::ModuleLibrary(const std::string& path) {
    handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* reason = ::dlerror();
        throw std::runtime_error("cannot load module " + path + ": " + (reason ? reason : "unknown error"));
    }
}

ModuleLibrary::~ModuleLibrary() {
    if (handle_ != nullptr) ::dlclose(handle_);
}

void* ModuleLibrary::symbol(const std::string& name) const {
    return ::dlsym(handle_, name.c_str());
}

}  // namespace simhost
