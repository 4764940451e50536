#pragma once

#include <string>

// Failed system calls (pipes, processes, windows) raise xtd::exception with the text
// "System error: <the system's text>\nas a result of <action>".

// Raises the error for the calling thread's last system error code, naming the failed call.
[[noreturn]] void throwSystemError(const char* action);

// Raises the error for a wait that ran past its deadline, with the system's text for a time-out.
[[noreturn]] void throwTimeoutError(const char* action);

// Raises the error for a connection whose peer went away, with the system's text for it.
[[noreturn]] void throwClosedError(const char* action);

// Raises the error for a wait ended because its owner stopped it.
[[noreturn]] void throwStoppedError(const char* action);

// Raises the error with a text of our own in place of the system's.
[[noreturn]] void throwSystemErrorText(const std::string& systemText, const char* action);

namespace detail {

// "System error" + (": " + systemText when there is one) + "\nas a result of " + action.
std::string systemErrorText(const std::string& systemText, const char* action);

}  // namespace detail
