#include <windows.h>

#include <stdexcept>

#include "tests/common/child_process_platform.h"

namespace testkit::detail {

namespace {

// One argument quoted the way the C runtime splits a command line.
std::string quote(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
        } else if (c == '"') {
            out.append(backslashes * 2 + 1, '\\');
            out += '"';
            backslashes = 0;
        } else {
            out.append(backslashes, '\\');
            out += c;
            backslashes = 0;
        }
    }
    out.append(backslashes * 2, '\\');
    return out + "\"";
}

}  // namespace

Spawned spawnProcess(const std::string& program, const std::vector<std::string>& args) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE inRead, inWrite, outRead, outWrite;
    if (!::CreatePipe(&inRead, &inWrite, &inherit, 0) || !::CreatePipe(&outRead, &outWrite, &inherit, 0))
        throw std::runtime_error("CreatePipe");
    ::SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    std::string commandLine = quote(program);
    for (const std::string& arg : args) commandLine += " " + quote(arg);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inRead;
    startup.hStdOutput = outWrite;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info{};
    const BOOL started = ::CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0,
                                          nullptr, nullptr, &startup, &info);
    ::CloseHandle(inRead);
    ::CloseHandle(outWrite);
    if (!started) {
        ::CloseHandle(inWrite);
        ::CloseHandle(outRead);
        throw std::runtime_error("cannot start " + program);
    }
    ::CloseHandle(info.hThread);
    return {reinterpret_cast<std::intptr_t>(info.hProcess), reinterpret_cast<std::intptr_t>(inWrite),
            reinterpret_cast<std::intptr_t>(outRead)};
}

bool writePipe(std::intptr_t pipe, const char* data, std::size_t size) {
    while (size > 0) {
        DWORD written = 0;
        if (!::WriteFile(reinterpret_cast<HANDLE>(pipe), data, static_cast<DWORD>(size), &written, nullptr))
            return false;
        data += written;
        size -= written;
    }
    return true;
}

std::size_t readPipe(std::intptr_t pipe, char* buffer, std::size_t size) {
    DWORD got = 0;
    if (!::ReadFile(reinterpret_cast<HANDLE>(pipe), buffer, static_cast<DWORD>(size), &got, nullptr))
        return 0;
    return got;
}

void closePipe(std::intptr_t pipe) {
    ::CloseHandle(reinterpret_cast<HANDLE>(pipe));
}

bool waitProcess(std::intptr_t process, int milliseconds, int& exitCode) {
    const HANDLE handle = reinterpret_cast<HANDLE>(process);
    if (::WaitForSingleObject(handle, milliseconds < 0 ? INFINITE : static_cast<DWORD>(milliseconds)) !=
        WAIT_OBJECT_0)
        return false;
    DWORD code = 0;
    ::GetExitCodeProcess(handle, &code);
    exitCode = static_cast<int>(code);
    return true;
}

void killProcess(std::intptr_t process) {
    ::TerminateProcess(reinterpret_cast<HANDLE>(process), 137);
}

void releaseProcess(std::intptr_t process) {
    ::CloseHandle(reinterpret_cast<HANDLE>(process));
}

}  // namespace testkit::detail
