#include "sim/host/registrations.h"

#include <algorithm>
#include <cctype>

namespace simhost {

const char* hookKindName(HookKind kind) {
    switch (kind) {
        case HookKind::Command:
            return "command";
        case HookKind::UpdateMenu:
            return "update-menu";
        case HookKind::Idle:
            return "idle";
        case HookKind::Death:
            return "death";
    }
    return "?";
}

ImportFlavor* Registrations::flavor(AE_FIM_ImportFlavorRef id) {
    for (ImportFlavor& f : flavors) {
        if (f.id == id) return &f;
    }
    return nullptr;
}

namespace {

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// ".ext" of the file name, either separator accepted; empty when there is none.
std::string extensionOf(const std::string& path) {
    const std::size_t name = path.find_last_of("/\\");
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (name != std::string::npos && dot < name)) return "";
    return lower(path.substr(dot));
}

}  // namespace

ImportFlavor* Registrations::flavorForFile(const std::string& path) {
    const std::string extension = extensionOf(path);
    if (extension.empty()) return nullptr;
    for (ImportFlavor& f : flavors) {
        if (!f.hasCallbacks) continue;
        for (const AEGP_FileExtension& e : f.extensions) {
            const char* end = std::find(e.extension, e.extension + sizeof e.extension, '\0');
            const std::string registered(e.extension, end);
            if (lower(registered) == extension) return &f;
        }
    }
    return nullptr;
}

}  // namespace simhost
