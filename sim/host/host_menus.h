#pragma once

#include <string>
#include <vector>

#include "aegp_suites.h"

namespace simhost {

struct MenuItem {
    AEGP_Command command = 0;
    std::string text;
    AEGP_MenuID menu = AEGP_Menu_NONE;
    A_long position = 0;
    // A module's command is greyed out until the module enables it.
    bool enabled = false;
};

// The host's menus as far as modules put commands into them. Positions are those of a list:
// inserting at a position moves the items at and after it one down.
class HostMenus {
public:
    AEGP_Command newCommand() { return ++lastCommand_; }
    bool issued(AEGP_Command command) const { return command > kFirstCommand && command <= lastCommand_; }

    // False when the command is already in a menu.
    bool insert(AEGP_Command command, const std::string& text, AEGP_MenuID menu, A_long position);
    MenuItem* find(AEGP_Command command);
    // The first item of that menu with exactly this text.
    MenuItem* findByText(AEGP_MenuID menu, const std::string& text);
    // The items of one menu, by position.
    std::vector<MenuItem> items(AEGP_MenuID menu) const;

private:
    static constexpr AEGP_Command kFirstCommand = 3000;
    AEGP_Command lastCommand_ = kFirstCommand;
    std::vector<MenuItem> items_;
};

}  // namespace simhost
