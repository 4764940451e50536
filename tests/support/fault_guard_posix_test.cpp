// The guard's signal handlers leave faults of unguarded threads to whoever handled them before.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "tests/support/guard_test_kit.h"

namespace {

__attribute__((noinline, no_sanitize_undefined, no_sanitize_thread)) void writeThroughNull() {
    volatile int* volatile pointer = nullptr;
    *pointer = 1;
}

void faultBesideAGuardedThread() {
    guardtest::besideAGuardedThread(writeThroughNull);
    std::exit(0);
}

TEST(FaultGuardDeathTest, FaultOfAnUnguardedThreadIsNotSwallowed) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        faultBesideAGuardedThread(),
        [](int status) { return !(WIFEXITED(status) && WEXITSTATUS(status) == 0); }, "");
}

}  // namespace
