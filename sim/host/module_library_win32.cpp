#include <windows.h>

#include <stdexcept>

#include "sim/host/module_library.h"

namespace simhost {

namespace {

std::string systemMessage(DWORD code) {
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length && text ? std::string(text, length) : "error " + std::to_string(code);
    if (text) ::LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
    return message;
}

// A module opened for its resources only; its code does not run.
class DataModule {
public:
    explicit DataModule(const std::string& path)
        : handle_(::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        if (handle_ == nullptr)
            throw std::runtime_error("cannot open module " + path + ": " + systemMessage(::GetLastError()));
    }
    ~DataModule() { ::FreeLibrary(handle_); }
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;
    HMODULE get() const { return handle_; }

private:
    HMODULE handle_;
};

}  // namespace

std::vector<unsigned char> readModulePipl(const std::string& path) {
    DataModule module(path);
    HRSRC resource = ::FindResourceA(module.get(), MAKEINTRESOURCEA(16000), "PIPL");
    if (resource == nullptr) throw std::runtime_error("module " + path + " has no PIPL resource 16000");
    HGLOBAL loaded = ::LoadResource(module.get(), resource);
    const DWORD size = ::SizeofResource(module.get(), resource);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (data == nullptr) throw std::runtime_error("cannot read the PIPL resource of " + path);
    const auto* bytes = static_cast<const unsigned char*>(data);
    return std::vector<unsigned char>(bytes, bytes + size);
}

ModuleLibrary::ModuleLibrary(const std::string& path) {
    handle_ = ::LoadLibraryA(path.c_str());
    if (handle_ == nullptr)
        throw std::runtime_error("cannot load module " + path + ": " + systemMessage(::GetLastError()));
}

ModuleLibrary::~ModuleLibrary() {
    if (handle_ != nullptr) ::FreeLibrary(static_cast<HMODULE>(handle_));
}

void* ModuleLibrary::symbol(const std::string& name) const {
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(handle_), name.c_str()));
}

}  // namespace simhost
