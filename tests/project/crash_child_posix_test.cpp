// Starting and killing a child process on POSIX (no tests of its own).
#include <errno.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <stdexcept>
#include <string>

#include "crash_child.h"

extern char** environ;

CrashChild::CrashChild() : handle_(-1) {
    char exe[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (length <= 0) throw std::runtime_error("cannot find this program");
    exe[length] = '\0';
    std::string filter = "--gtest_filter=-*";
    char* argv[] = {exe, &filter[0], nullptr};
    pid_t pid = 0;
    if (::posix_spawn(&pid, exe, nullptr, nullptr, argv, environ) != 0)
        throw std::runtime_error("cannot start a child process");
    handle_ = pid;
}

CrashChild::~CrashChild() {
    kill();
}

void CrashChild::kill() {
    if (handle_ < 0) return;
    const pid_t pid = static_cast<pid_t>(handle_);
    ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    handle_ = -1;
}
