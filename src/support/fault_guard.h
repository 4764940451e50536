#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Runs `body` on the calling thread under a guard. A standard exception that leaves it, an
// exception of any other type, or a processor fault (access violation, division by zero, stack
// overflow and the like) raised by this thread while it runs, ends the body; `onError` then gets
// the exception's text or the crash report, and the result is false. A body that returns gives
// true. Faults of other threads pass the guard untouched.
bool runGuarded(const std::function<void()>& body, const std::function<void(const std::string&)>& onError);

// The most recent crash report of the process, empty before the first.
std::string lastCrashReport();

namespace detail {

// The report's name of a fault code: the fixed table's, else the system's text for the code.
std::string faultName(std::uint32_t code);

}  // namespace detail
