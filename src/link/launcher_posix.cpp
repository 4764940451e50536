// The launcher on POSIX: an installation record file, posix_spawn, and the application's pipe in
// place of a window to find.
#include <errno.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <vector>

#include "link/launcher.h"
#include "link/pipe.h"
#include "support/system_error.h"

extern char** environ;

namespace {

// Read and written on the host's main thread only.
std::vector<pid_t> gLaunched;

std::string installationRecord() {
    const char* config = ::getenv("XDG_CONFIG_HOME");
    if (config && *config) return std::string(config) + "/Orvell/Skelda/Path";
    const char* home = ::getenv("HOME");
    return std::string(home ? home : "") + "/.config/Orvell/Skelda/Path";
}

// Collects the exit of applications started earlier, so that none lingers as a zombie.
void reapLaunched() {
    for (auto it = gLaunched.begin(); it != gLaunched.end();) {
        const pid_t result = ::waitpid(*it, nullptr, WNOHANG);
        it = result == 0 ? it + 1 : gLaunched.erase(it);
    }
}

}  // namespace

std::string detail::readApplicationPath() {
    std::ifstream record(installationRecord());
    std::string line;
    if (record && std::getline(record, line) && !line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

void launchApplication() {
    reapLaunched();
    const std::string path = applicationPath();
    char* const argv[] = {const_cast<char*>(path.c_str()), nullptr};
    pid_t child = 0;
    const int error =
        path.empty() ? ENOENT : ::posix_spawn(&child, path.c_str(), nullptr, nullptr, argv, environ);
    if (error != 0) {
        errno = error;
        throwSystemError("CreateProcess(AE)");
    }
    gLaunched.push_back(child);
}

ApplicationWindow findApplicationWindow() {
    reapLaunched();
    static char running;
    return ClientPipe(kApplicationPipeName).isAvailable() ? &running : nullptr;
}

void switchToApplication() {}
