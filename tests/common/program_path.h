#pragma once

#include <string>

namespace testkit {

// Full path of a program built beside the test program ("skelda-host" gets ".exe" on Windows).
std::string programPath(const std::string& name);
// Full path of any file built beside the test program, with the platform's separator.
std::string besideTests(const std::string& fileName);

}  // namespace testkit
