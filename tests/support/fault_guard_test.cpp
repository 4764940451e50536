// The fault guard on the thread that runs it: exceptions, processor faults and serving again.
#include "support/fault_guard.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tests/common/test_platform.h"

namespace {

struct Outcome {
    bool returned = false;
    int reports = 0;
    std::string text;
};

Outcome guarded(const std::function<void()>& body) {
    Outcome outcome;
    outcome.returned = runGuarded(body, [&](const std::string& text) {
        ++outcome.reports;
        outcome.text = text;
    });
    return outcome;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        result.push_back(text.substr(start, end - start));
    return result;
}

// The faults are meant: keep the sanitizers from reporting them first.
__attribute__((noinline, no_sanitize_undefined, no_sanitize_thread)) void writeThroughNull() {
    volatile int* volatile pointer = nullptr;
    *pointer = 1;
}

__attribute__((noinline, no_sanitize_undefined, no_sanitize_thread)) void divideByZero() {
    volatile int numerator = 7, zero = 0;
    volatile int result = numerator / zero;
    (void)result;
}

__attribute__((noinline)) void jumpNowhere() {
    using Function = void (*)();
    const Function nowhere = reinterpret_cast<Function>(static_cast<std::uintptr_t>(0x10));
    volatile Function call = nowhere;
    call();
}

// Deeper than any thread's stack; the guard on the depth only keeps the compiler quiet.
__attribute__((noinline)) int recurseDeep(int depth) {
    volatile char frame[512];
    frame[depth % 512] = static_cast<char>(depth);
    if (depth == 1 << 30) return 0;
    return recurseDeep(depth + 1) + frame[0];
}

const std::string kRegisters = sizeof(void*) == 4 ? "EAX=" : "RAX=";

TEST(FaultGuard, ReturningBodyReportsNothingAndAStandardExceptionItsTextAlone) {
    const std::string before = lastCrashReport();
    const Outcome returning = guarded([] {
        try {
            throw std::runtime_error("caught inside");
        } catch (const std::exception&) {
        }
    });
    EXPECT_TRUE(returning.returned);
    EXPECT_EQ(returning.reports, 0);
    const Outcome throwing = guarded([] { throw std::runtime_error("abc"); });
    EXPECT_FALSE(throwing.returned);
    EXPECT_EQ(throwing.reports, 1);
    EXPECT_EQ(throwing.text, "abc");
    EXPECT_EQ(lastCrashReport(), before);
}

// The report: the fault line, the stack (none outside any module), then the registers; the thread
// serves again after each fault, a stack overflow too.
TEST(FaultGuard, FaultsAndForeignExceptionsGiveAReport) {
    struct Case {
        const char* what;
        std::function<void()> body;
        std::string name;
        std::string module;
    } cases[] = {
        {"null write", writeThroughNull, "EXCEPTION_ACCESS_VIOLATION", "test_support"},
        {"division by zero", divideByZero, "EXCEPTION_INT_DIVIDE_BY_ZERO", "test_support"},
        {"foreign exception", [] { throw 42; }, "Microsoft C++ Exception", "test_support"},
        {"stack overflow", [] { recurseDeep(0); }, "EXCEPTION_STACK_OVERFLOW", "test_support"},
        {"jump outside any module", jumpNowhere, "EXCEPTION_ACCESS_VIOLATION", "<UNKNOWN>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome outcome = guarded(c.body);
        EXPECT_FALSE(outcome.returned);
        ASSERT_EQ(outcome.reports, 1);
        EXPECT_EQ(outcome.text, lastCrashReport());
        const std::vector<std::string> report = lines(outcome.text);
        ASSERT_GE(report.size(), 4u) << outcome.text;
        EXPECT_EQ(report[0].rfind("test_support caused an " + c.name + " in module " + c.module + " at ", 0),
                  0u)
            << report[0];
        if (c.module == "<UNKNOWN>") {
            EXPECT_EQ(report.size(), 4u) << outcome.text;
        } else {
            // At least the frame of the fault itself, in this program.
            ASSERT_GE(report.size(), 5u) << outcome.text;
            EXPECT_NE(report[1].find(" test_support"), std::string::npos) << outcome.text;
        }
        EXPECT_EQ(report[report.size() - 3].rfind(kRegisters, 0), 0u) << outcome.text;
        EXPECT_EQ(report.back().rfind("CS=", 0), 0u) << outcome.text;
        EXPECT_EQ(guarded(writeThroughNull).reports, 1);
    }
}

TEST(FaultGuard, NestedGuardTakesItsOwnFaultAndGivesTheOuterOneBack) {
    int inner = 0;
    const Outcome outer = guarded([&] {
        inner = guarded(writeThroughNull).reports;
        writeThroughNull();
    });
    EXPECT_EQ(inner, 1);
    EXPECT_EQ(outer.reports, 1);
    EXPECT_NE(outer.text.find(" caused an EXCEPTION_ACCESS_VIOLATION "), std::string::npos);
}

// Each guarded thread serves again after each of its faults, whatever the others do.
TEST(FaultGuard, GuardedThreadsFaultIndependentlyAndServeAgain) {
    std::vector<std::thread> workers;
    std::atomic<int> reports{0}, ran{0};
    for (int i = 0; i < 4; ++i)
        workers.emplace_back([&] {
            for (int round = 0; round < 20; ++round) {
                reports += guarded(writeThroughNull).reports;
                EXPECT_TRUE(guarded([&] { ++ran; }).returned);
            }
        });
    for (std::thread& worker : workers) worker.join();
    EXPECT_EQ(reports, 80);
    EXPECT_EQ(ran, 80);
}

}  // namespace
