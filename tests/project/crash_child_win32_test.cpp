// Starting and killing a child process on Windows (no tests of its own).
#include <windows.h>

#include <stdexcept>
#include <string>

#include "crash_child.h"

CrashChild::CrashChild() : handle_(0) {
    char exe[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) throw std::runtime_error("cannot find this program");
    std::string commandLine = "\"" + std::string(exe, length) + "\" --gtest_filter=-*";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(exe, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        throw std::runtime_error("cannot start a child process");
    ::CloseHandle(process.hThread);
    handle_ = reinterpret_cast<std::intptr_t>(process.hProcess);
}

CrashChild::~CrashChild() {
    kill();
}

void CrashChild::kill() {
    if (handle_ == 0) return;
    const HANDLE process = reinterpret_cast<HANDLE>(handle_);
    ::TerminateProcess(process, 9);
    ::WaitForSingleObject(process, INFINITE);
    ::CloseHandle(process);
    handle_ = 0;
}
