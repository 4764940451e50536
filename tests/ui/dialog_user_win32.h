#pragma once

// A user at the plug-in's dialogs: a second thread that finds their windows and posts to them
// while the test's thread runs the dialog.
#include <windows.h>

#include <functional>
#include <string>
#include <thread>

#include "tests/common/test_dirs.h"

namespace dialogkit {

struct WindowSearch {
    std::string title;
    HWND owner;
    HWND found;
};

inline BOOL CALLBACK matchWindow(HWND window, LPARAM param) {
    auto& s = *reinterpret_cast<WindowSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || s.title != text) return TRUE;
    if (s.owner != nullptr && GetWindow(window, GW_OWNER) != s.owner) return TRUE;
    s.found = window;
    return FALSE;
}

// A shown top-level window of this process with this title (and, when given, this owner).
inline HWND findWindow(const std::string& title, HWND owner = nullptr) {
    WindowSearch search{title, owner, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline HWND waitForWindow(const std::string& title, HWND owner = nullptr) {
    HWND found = nullptr;
    testkit::waitFor([&] { return (found = findWindow(title, owner)) != nullptr; });
    return found;
}

// Runs `user` on a second thread for the length of the scope.
class User {
public:
    explicit User(std::function<void()> user) : thread_(std::move(user)) {}
    ~User() { thread_.join(); }

private:
    std::thread thread_;
};

}  // namespace dialogkit
