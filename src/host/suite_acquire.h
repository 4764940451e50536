#pragma once

#include "sp_basic_suite.h"

// Acquires a suite's function table through the basic suite. A missing basic suite, a failed
// acquisition or a null table throws the plain integer 512.
const void* acquireHostSuite(const SPBasicSuite* basic, const char* name, A_long version);

// Gives back one acquisition; the host's answer is not looked at.
void releaseHostSuite(const SPBasicSuite* basic, const char* name, A_long version) noexcept;

// What is thrown when a suite cannot be acquired.
constexpr int kSuiteUnavailable = 512;
