#include <windows.h>

#include "link/launcher.h"
#include "tests/common/installation_sandbox.h"
#include "tests/common/test_platform.h"

namespace testkit {

struct InstallationSandbox::State {
    std::string name;
    HKEY root = nullptr;
};

InstallationSandbox::InstallationSandbox() : state_(std::make_unique<State>()) {
    static int counter = 0;
    state_->name = "Software\\SkeldaInstall-" + std::to_string(processId()) + "-" + std::to_string(++counter);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, state_->name.c_str());
    ::RegCreateKeyA(HKEY_CURRENT_USER, state_->name.c_str(), &state_->root);
    ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, state_->root);
    detail::forgetApplicationPath();
}

InstallationSandbox::~InstallationSandbox() {
    ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    ::RegCloseKey(state_->root);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, state_->name.c_str());
    detail::forgetApplicationPath();
}

void InstallationSandbox::install(const std::string& path) {
    HKEY key = nullptr;
    if (::RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvell\\Skelda", &key) != ERROR_SUCCESS) return;
    ::RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                     static_cast<DWORD>(path.size() + 1));
    ::RegCloseKey(key);
    detail::forgetApplicationPath();
}

}  // namespace testkit
