#include <cstdio>

#include "link/error_report.h"

void writeDebugOutput(const std::string&) {}

namespace detail {

void showSystemErrorBox(const std::string& text) {
    std::fprintf(stderr, "Skelda: %s\n", text.c_str());
    std::fflush(stderr);
}

}  // namespace detail
