#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include "support/fault_guard.h"

namespace guardtest {

// Runs `action` on the calling thread while another thread waits inside a guard.
inline void besideAGuardedThread(const std::function<void()>& action) {
    std::atomic<bool> guarding{false}, done{false};
    std::thread guarded([&] {
        runGuarded(
            [&] {
                guarding = true;
                while (!done) std::this_thread::yield();
            },
            [](const std::string&) {});
    });
    while (!guarding) std::this_thread::yield();
    action();
    done = true;
    guarded.join();
}

}  // namespace guardtest
