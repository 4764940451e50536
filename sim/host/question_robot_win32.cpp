#include <windows.h>

#include <cctype>
#include <chrono>
#include <cstring>

#include "sim/host/question_robot.h"

namespace simhost {

namespace {

std::string plain(const char* text) {
    std::string result;
    for (const char* c = text; *c != '\0'; ++c)
        if (*c != '&') result += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    return result;
}

struct Search {
    std::string label;
    HWND box = nullptr;
    HWND button = nullptr;
};

BOOL CALLBACK matchButton(HWND child, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    char kind[32] = {};
    char text[128] = {};
    GetClassNameA(child, kind, sizeof kind);
    GetWindowTextA(child, text, sizeof text);
    if (std::strcmp(kind, "Button") != 0 || !IsWindowVisible(child) || plain(text) != search.label)
        return TRUE;
    search.button = child;
    return FALSE;
}

// A shown dialog box of this process with such a button.
BOOL CALLBACK matchBox(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    DWORD process = 0;
    char kind[32] = {};
    GetWindowThreadProcessId(window, &process);
    GetClassNameA(window, kind, sizeof kind);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || std::strcmp(kind, "#32770") != 0)
        return TRUE;
    EnumChildWindows(window, matchButton, param);
    if (search.button == nullptr) return TRUE;
    search.box = window;
    return FALSE;
}

}  // namespace

std::thread pressButtonWhenShown(const std::string& label, std::function<void(const std::string&)> pressed) {
    return std::thread([wanted = plain(label.c_str()), pressed = std::move(pressed)] {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < until) {
            Search search{wanted};
            EnumWindows(matchBox, reinterpret_cast<LPARAM>(&search));
            if (search.button != nullptr) {
                char text[2048] = {};
                GetDlgItemTextA(search.box, 0xFFFF, text, sizeof text);
                pressed(text);
                PostMessageA(search.button, BM_CLICK, 0, 0);
                return;
            }
            Sleep(20);
        }
    });
}

}  // namespace simhost
