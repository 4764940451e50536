#pragma once

#include <string>
#include <vector>

namespace simhost {

// The platform's loading of a module: the PiPL bytes from the file (an ELF section, a PE
// resource), and the library with its symbols.
std::vector<unsigned char> readModulePipl(const std::string& path);

// An open library, closed when the object goes.
class ModuleLibrary {
public:
    // Raises std::runtime_error with the system's reason when the library cannot be opened.
    explicit ModuleLibrary(const std::string& path);
    ~ModuleLibrary();
    ModuleLibrary(const ModuleLibrary&) = delete;
    ModuleLibrary& operator=(const ModuleLibrary&) = delete;

    // The exported symbol's address, or null.
    void* symbol(const std::string& name) const;

private:
    void* handle_ = nullptr;
};

}  // namespace simhost
