#include <stdlib.h>
#include <windows.h>

#include <string>

#include "tests/common/program_path.h"
#include "tests/common/test_platform.h"

namespace testkit {

unsigned long processId() {
    return ::GetCurrentProcessId();
}

bool getEnv(const char* name, std::string& value) {
    char buf[32768];
    DWORD n = ::GetEnvironmentVariableA(name, buf, sizeof buf);
    if (n == 0 || n >= sizeof buf) return false;
    value.assign(buf, n);
    return true;
}

// Both the C runtime's copy and the process block, so getenv and child processes agree.
void setEnv(const char* name, const std::string& value) {
    ::SetEnvironmentVariableA(name, value.c_str());
    ::_putenv_s(name, value.c_str());
}

void unsetEnv(const char* name) {
    ::SetEnvironmentVariableA(name, nullptr);
    ::_putenv_s(name, "");
}

std::string binaryDir() {
    char buf[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(nullptr, buf, MAX_PATH);
    std::string path(buf, n);
    return path.substr(0, path.find_last_of("\\/"));
}

std::string besideTests(const std::string& fileName) {
    return binaryDir() + "\\" + fileName;
}

std::string programPath(const std::string& name) {
    return besideTests(name + ".exe");
}

}  // namespace testkit
