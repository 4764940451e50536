#pragma once

#include <memory>
#include <string>

namespace testkit {

// Points the application's installation record at a private place for the life of the object, so
// the application counts as not installed until install() (POSIX: XDG_CONFIG_HOME; Windows: this
// process's HKEY_LOCAL_MACHINE). The launcher's remembered path is forgotten both ways.
class InstallationSandbox {
public:
    InstallationSandbox();
    ~InstallationSandbox();
    InstallationSandbox(const InstallationSandbox&) = delete;
    InstallationSandbox& operator=(const InstallationSandbox&) = delete;

    // Records `path` as the installed application's executable.
    void install(const std::string& path);

    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace testkit
