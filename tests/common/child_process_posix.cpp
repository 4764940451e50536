#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "tests/common/child_process_platform.h"

extern char** environ;

namespace testkit::detail {

Spawned spawnProcess(const std::string& program, const std::vector<std::string>& args) {
    int in[2], out[2];
    if (::pipe(in) != 0) throw std::runtime_error("pipe");
    if (::pipe(out) != 0) throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    ::posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    ::posix_spawn_file_actions_addclose(&actions, in[1]);
    ::posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    if (rc != 0) {
        ::close(in[1]);
        ::close(out[0]);
        throw std::runtime_error("cannot start " + program);
    }
    // A child that ends early must not kill the test with SIGPIPE.
    ::signal(SIGPIPE, SIG_IGN);
    return {pid, in[1], out[0]};
}

bool writePipe(std::intptr_t pipe, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(static_cast<int>(pipe), data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::size_t readPipe(std::intptr_t pipe, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(static_cast<int>(pipe), buffer, size);
        if (n < 0 && errno == EINTR) continue;
        return n > 0 ? static_cast<std::size_t>(n) : 0;
    }
}

void closePipe(std::intptr_t pipe) {
    ::close(static_cast<int>(pipe));
}

bool waitProcess(std::intptr_t process, int milliseconds, int& exitCode) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(static_cast<pid_t>(process), &status, milliseconds < 0 ? 0 : WNOHANG);
        if (done == static_cast<pid_t>(process)) {
            exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return true;
        }
        if (done < 0 && errno != EINTR) return true;
        if (milliseconds >= 0 && std::chrono::steady_clock::now() >= deadline) return false;
        if (milliseconds >= 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void killProcess(std::intptr_t process) {
    ::kill(static_cast<pid_t>(process), SIGKILL);
}

void releaseProcess(std::intptr_t) {}

}  // namespace testkit::detail
