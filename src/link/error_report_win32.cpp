#include <windows.h>

#include "link/error_report.h"

void writeDebugOutput(const std::string& text) {
    ::OutputDebugStringA(text.c_str());
}

namespace detail {

void showSystemErrorBox(const std::string& text) {
    ::MessageBoxA(nullptr, text.c_str(), "Skelda", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace detail
