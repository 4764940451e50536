#include <filesystem>
#include <fstream>

#include "link/launcher.h"
#include "tests/common/installation_sandbox.h"
#include "tests/common/test_dirs.h"

namespace testkit {

struct InstallationSandbox::State {
    TempDir dir;
    std::string previous;
    bool had = false;
};

InstallationSandbox::InstallationSandbox() : state_(std::make_unique<State>()) {
    state_->had = getEnv("XDG_CONFIG_HOME", state_->previous);
    setEnv("XDG_CONFIG_HOME", state_->dir.path());
    detail::forgetApplicationPath();
}

InstallationSandbox::~InstallationSandbox() {
    if (state_->had)
        setEnv("XDG_CONFIG_HOME", state_->previous);
    else
        unsetEnv("XDG_CONFIG_HOME");
    detail::forgetApplicationPath();
}

void InstallationSandbox::install(const std::string& path) {
    std::filesystem::create_directories(state_->dir.file("Orvell/Skelda"));
    std::ofstream(state_->dir.file("Orvell/Skelda/Path"), std::ios::binary) << path << '\n';
    detail::forgetApplicationPath();
}

}  // namespace testkit
