// The guard's vectored handler leaves every exception it does not own to the handlers after it.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>

#include "tests/support/guard_test_kit.h"

namespace {

std::atomic<int> gSeen{0};
std::atomic<DWORD> gSeenCode{0};

// A later handler: resumes after a one-byte-address write fault, and lets raised exceptions return.
LONG CALLBACK catchAfterTheGuard(EXCEPTION_POINTERS* pointers) {
    const DWORD code = pointers->ExceptionRecord->ExceptionCode;
    if (code == EXCEPTION_ACCESS_VIOLATION) {
        ++gSeen;
        gSeenCode = code;
#if defined(__x86_64__)
        pointers->ContextRecord->Rip += 6;  // skips "movl $1, (%rax)" (c7 00 01 00 00 00)
#else
        pointers->ContextRecord->Eip += 6;  // skips "movl $1, (%eax)" (c7 00 01 00 00 00)
#endif
        return EXCEPTION_CONTINUE_EXECUTION;
    }
    if (code == 0xE06D7363) {
        ++gSeen;
        gSeenCode = code;
        return EXCEPTION_CONTINUE_EXECUTION;
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

__attribute__((noinline)) void writeThroughNull() {
#if defined(__x86_64__)
    asm volatile("xorl %%eax, %%eax\n\tmovl $1, (%%rax)" ::: "rax", "memory");
#else
    asm volatile("xorl %%eax, %%eax\n\tmovl $1, (%%eax)" ::: "eax", "memory");
#endif
}

struct LaterHandler {
    LaterHandler() : handle(::AddVectoredExceptionHandler(0, catchAfterTheGuard)) { gSeen = 0; }
    ~LaterHandler() { ::RemoveVectoredExceptionHandler(handle); }
    void* handle;
};

TEST(Win32FaultGuard, FaultOfAnUnguardedThreadPassesThrough) {
    LaterHandler later;
    guardtest::besideAGuardedThread(writeThroughNull);
    EXPECT_EQ(gSeen, 1);
}

TEST(Win32FaultGuard, ForeignCppExceptionOnTheGuardedThreadPassesThrough) {
    LaterHandler later;
    int reports = 0;
    const bool returned = runGuarded([] { ::RaiseException(0xE06D7363, 0, 0, nullptr); },
                                     [&](const std::string&) { ++reports; });
    EXPECT_TRUE(returned);
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(gSeen, 1);
    EXPECT_EQ(gSeenCode, 0xE06D7363u);
}

}  // namespace
