// menu, command.
#include "sim/host/script_words.h"

namespace simhost {

namespace {

void menu(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 0, 0, "menu");
    const A_Err result = context.host.updateMenus();
    if (result != A_Err_NONE) context.out << "update-menu result=" << result << '\n';
    auto guard = context.host.lock();
    for (const MenuItem& item : context.host.menus().items(AEGP_Menu_ANIMATION)) {
        context.out << item.position << ' ' << (item.enabled ? "enabled" : "disabled") << " \"" << item.text
                    << "\"\n";
    }
}

// As a user does: the menu is updated when it opens, and only an enabled item can be chosen.
void command(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 1, 1, "command \"TEXT\"");
    const A_Err updated = context.host.updateMenus();
    if (updated != A_Err_NONE) context.out << "update-menu result=" << updated << '\n';
    AEGP_Command number = 0;
    {
        auto guard = context.host.lock();
        const MenuItem* item = context.host.menus().findByText(AEGP_Menu_ANIMATION, args[0]);
        if (item == nullptr) throw ScriptError("no menu command \"" + args[0] + "\"");
        if (!item->enabled) throw ScriptError("menu command \"" + args[0] + "\" is disabled");
        number = item->command;
    }
    const SimHost::CommandResult outcome = context.host.runCommand(number);
    context.out << "command result=" << outcome.result << " handled=" << (outcome.handled ? 1 : 0) << '\n';
}

}  // namespace

void addMenuWords(WordTable& words) {
    words.add("menu", menu);
    words.add("command", command);
}

}  // namespace simhost
