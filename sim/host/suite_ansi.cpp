// "PF ANSI Suite" 1: sprintf.
#include <cstdarg>
#include <cstdio>

#include "sim/host/host_call.h"
#include "sim/host/suite_catalog.h"

namespace simhost {

namespace {

// Like the C library's, without a bound: the caller's buffer must hold the result.
A_long AEGP_API AnsiSprintf(A_char* buffer, const A_char* format, ...) {
    va_list args;
    va_start(args, format);
    A_long written = -1;
    const A_Err result = hostCall("sprintf", [&](SimHost&) -> A_Err {
        if (buffer == nullptr || format == nullptr) return A_Err_PARAMETER;
        written = std::vsprintf(buffer, format, args);
        return A_Err_NONE;
    });
    va_end(args);
    return result == A_Err_NONE ? written : -1;
}

PF_ANSICallbacksSuite1 makeAnsiSuite() {
    PF_ANSICallbacksSuite1 suite{};
    suite.sprintf = AnsiSprintf;
    return suite;
}

const PF_ANSICallbacksSuite1 kAnsiSuite1 = makeAnsiSuite();

}  // namespace

void offerAnsiSuite(SuiteBookkeeping& suites) {
    suites.offer(kPFANSISuite, kPFANSISuiteVersion1, &kAnsiSuite1);
}

}  // namespace simhost
