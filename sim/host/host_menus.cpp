#include "sim/host/host_menus.h"

#include <algorithm>

namespace simhost {

bool HostMenus::insert(AEGP_Command command, const std::string& text, AEGP_MenuID menu, A_long position) {
    if (find(command) != nullptr) return false;
    for (MenuItem& item : items_) {
        if (item.menu == menu && item.position >= position) ++item.position;
    }
    items_.push_back({command, text, menu, position, false});
    return true;
}

MenuItem* HostMenus::find(AEGP_Command command) {
    for (MenuItem& item : items_) {
        if (item.command == command) return &item;
    }
    return nullptr;
}

MenuItem* HostMenus::findByText(AEGP_MenuID menu, const std::string& text) {
    MenuItem* best = nullptr;
    for (MenuItem& item : items_) {
        if (item.menu == menu && item.text == text && (best == nullptr || item.position < best->position))
            best = &item;
    }
    return best;
}

std::vector<MenuItem> HostMenus::items(AEGP_MenuID menu) const {
    std::vector<MenuItem> result;
    for (const MenuItem& item : items_) {
        if (item.menu == menu) result.push_back(item);
    }
    std::stable_sort(result.begin(), result.end(),
                     [](const MenuItem& a, const MenuItem& b) { return a.position < b.position; });
    return result;
}

}  // namespace simhost
