#include <iostream>

#include "aegp_window_services.h"
#include "host/check_host.h"
#include "support/file_system.h"
#include "ui/terminal_dialogs.h"
#include "ui/transformations_source_dialog.h"

namespace {

A_Boolean AEGP_API acceptablePath(void*, const A_char* path) {
    return path != nullptr && isRegularFile(path) ? 1 : 0;
}

}  // namespace

TransformationsSourceDialog::~TransformationsSourceDialog() = default;

int TransformationsSourceDialog::run(void* owner) {
    const auto* services = static_cast<const AEGP_WindowServices1*>(owner);
    if (services == nullptr || services->version < AEGP_WINDOW_SERVICES_VERSION1) {
        const auto answer = askPathOnTerminal(std::cin, std::cerr, kPrompt, path_,
                                              [](const std::string& path) { return isRegularFile(path); });
        if (!answer) return kCancelled;
        path_ = *answer;
        return kApplied;
    }
    // The window services take the buffer's size; any path the system accepts fits.
    char path[4096] = {};
    A_Boolean accepted = 0;
    CheckHost(services->AEGP_AskPath(kTitle, kPrompt, kFilter, path_.c_str(), acceptablePath, nullptr, path,
                                     static_cast<A_long>(sizeof path), &accepted),
              "asking for a path");
    if (!accepted) return kCancelled;
    path[sizeof path - 1] = '\0';
    path_ = path;
    return kApplied;
}
