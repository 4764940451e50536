#include "link/launcher.h"

namespace {

const std::string kProductName = "Skelda";

// Read and written on the host's main thread only.
std::string gApplicationPath;

}  // namespace

std::string applicationPath() {
    // Not found is looked up again next time; found is kept until the module is loaded afresh.
    if (gApplicationPath.empty()) gApplicationPath = detail::readApplicationPath();
    return gApplicationPath;
}

bool isApplicationInstalled() {
    return !applicationPath().empty();
}

bool isApplicationRunning() {
    return findApplicationWindow() != nullptr;
}

namespace detail {

void forgetApplicationPath() {
    gApplicationPath.clear();
}

bool titleNamesApplication(const std::string& title) {
    return title.size() >= kProductName.size() &&
           title.compare(title.size() - kProductName.size(), kProductName.size(), kProductName) == 0;
}

}  // namespace detail
