#include "link/launcher.h"

namespace {

const std::string kProductName = "Skelda";

}  // namespace

bool isApplicationInstalled() {
    return !applicationPath().empty();
}

bool isApplicationRunning() {
    return findApplicationWindow() != nullptr;
}

namespace detail {

bool titleNamesApplication(const std::string& title) {
    return title.size() >= kProductName.size() &&
           title.compare(title.size() - kProductName.size(), kProductName.size(), kProductName) == 0;
}

}  // namespace detail
