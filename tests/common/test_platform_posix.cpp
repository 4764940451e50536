#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "tests/common/program_path.h"
#include "tests/common/test_drives.h"
#include "tests/common/test_platform.h"
#include "tests/common/unmanaged_windows.h"

namespace testkit {

unsigned long processId() {
    return static_cast<unsigned long>(::getpid());
}

bool getEnv(const char* name, std::string& value) {
    const char* v = ::getenv(name);
    if (!v) return false;
    value = v;
    return true;
}

void setEnv(const char* name, const std::string& value) {
    ::setenv(name, value.c_str(), 1);
}

void unsetEnv(const char* name) {
    ::unsetenv(name);
}

std::string binaryDir() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string path(buf, static_cast<size_t>(n));
    return path.substr(0, path.find_last_of('/'));
}

std::string besideTests(const std::string& fileName) {
    return binaryDir() + "/" + fileName;
}

std::string programPath(const std::string& name) {
    return besideTests(name);
}

// No drive letters here.
std::string otherDriveAlias(const std::string&) {
    return std::string();
}

void useUnmanagedWindows() {}

}  // namespace testkit
