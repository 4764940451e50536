// The launcher on Windows: the registry, CreateProcess and the top-level windows.
#include <windows.h>

#include <algorithm>

#include "link/launcher.h"
#include "support/system_error.h"

namespace {

constexpr DWORD kPathBufferSize = 260;

// Closes a registry key.
struct Key {
    HKEY key = nullptr;
    ~Key() {
        if (key) ::RegCloseKey(key);
    }
};

struct WindowSearch {
    HWND found = nullptr;
};

BOOL CALLBACK checkWindow(HWND window, LPARAM search) {
    char title[256];
    const int length = ::GetWindowTextA(window, title, sizeof title);
    if (length > 0 && detail::titleNamesApplication(std::string(title, static_cast<std::size_t>(length)))) {
        reinterpret_cast<WindowSearch*>(search)->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::string detail::readApplicationPath() {
    Key key;
    if (::RegOpenKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvell\\Skelda", &key.key) != ERROR_SUCCESS)
        return std::string();
    char buffer[kPathBufferSize];
    DWORD size = sizeof buffer;
    DWORD type = 0;
    if (::RegQueryValueExA(key.key, "Path", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ) {
        // A value stored without its terminating zero is taken as long as it is.
        std::string path(buffer, size);
        path.erase(std::find(path.begin(), path.end(), '\0'), path.end());
        return path;
    }
    return std::string();
}

void launchApplication() {
    const std::string path = applicationPath();
    // The path is the program name, and quoted in the command line, so that the system never
    // splits it at a blank and starts a program named by its first words.
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        throwSystemError("CreateProcess(AE)");
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
}

ApplicationWindow findApplicationWindow() {
    WindowSearch search;
    if (!::EnumWindows(checkWindow, reinterpret_cast<LPARAM>(&search)) && !search.found)
        throwSystemError("EnumWindows");
    return search.found;
}

void switchToApplication() {
    const HWND window = static_cast<HWND>(findApplicationWindow());
    if (window && !::BringWindowToTop(window)) throwSystemError("BringWindowToTop");
}
