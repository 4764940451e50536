#pragma once

#include <cstdint>

// This test program started once more as a child process, which runs no test of its own: a test
// puts what the child is to do into the environment, which the child inherits.
class CrashChild {
public:
    CrashChild();
    // Kills the child if it still runs.
    ~CrashChild();
    CrashChild(const CrashChild&) = delete;
    CrashChild& operator=(const CrashChild&) = delete;

    // Ends the child at once, as a crash would, and waits until it is gone.
    void kill();

private:
    std::intptr_t handle_;
};
