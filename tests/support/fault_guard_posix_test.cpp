// The guard's signal handlers leave faults of unguarded threads to whoever handled them before.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "support/fault_guard.h"

namespace {

__attribute__((noinline, no_sanitize_undefined, no_sanitize_thread)) void writeThroughNull() {
    volatile int* volatile pointer = nullptr;
    *pointer = 1;
}

void faultBesideAGuardedThread() {
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
    writeThroughNull();
    done = true;
    guarded.join();
    std::exit(0);
}

TEST(FaultGuardDeathTest, FaultOfAnUnguardedThreadIsNotSwallowed) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        faultBesideAGuardedThread(),
        [](int status) { return !(WIFEXITED(status) && WEXITSTATUS(status) == 0); }, "");
}

}  // namespace
