// What each command of the menu shows, from the plug-in's and the application's views.
#include "plugin/menu_state.h"

#include <gtest/gtest.h>

#include <string>

#include "plugin/command_table.h"

namespace {

PossibleActions actions(bool underlay, bool overlay, bool still, bool transformations, bool project) {
    PossibleActions a;
    a.underlay = underlay;
    a.overlay = overlay;
    a.stillOverlay = still;
    a.transformations = transformations;
    a.project = project;
    return a;
}

const PossibleActions kEverything = actions(true, true, true, true, true);
const PossibleActions kNothing = actions(false, false, false, false, false);

// "1" per enabled command, "0" per disabled one, in table order.
std::string enabledOf(const std::array<CommandState, kCommandCount>& state) {
    std::string out;
    for (const CommandState& command : state) out += command.enabled ? '1' : '0';
    return out;
}

TEST(MenuState, CasesOfTheTwoViews) {
    struct Case {
        const char* name;
        bool running, installed;
        PossibleActions local, app;
        const char* enabled;
        const char* applicationText;
        const char* overlayText;
    } cases[] = {
        {"installed, not running, layer active", false, true, actions(true, true, false, true, true),
         kNothing, "100010", "Launch Skelda", "Upload as Overlay to Skelda"},
        {"installed, not running, nothing active", false, true, kNothing, kNothing, "100000", "Launch Skelda",
         "Upload as Overlay to Skelda"},
        {"neither running nor installed", false, false, kNothing, kNothing, "000000", "Launch Skelda",
         "Upload as Overlay to Skelda"},
        {"running, a still", true, false, actions(false, true, true, true, true), kEverything, "101111",
         "Switch to Skelda", "Upload as Still Overlay to Skelda"},
        {"running, a sequence", true, true, actions(true, true, false, true, true), kEverything, "111111",
         "Switch to Skelda", "Upload as Live Overlay to Skelda"},
        {"running, a movie", true, true, actions(false, false, false, true, true), kEverything, "100111",
         "Switch to Skelda", "Upload as Overlay to Skelda"},
        {"application refuses overlay", true, true, actions(true, true, false, true, true),
         actions(true, false, true, true, true), "110111", "Switch to Skelda", "Upload as Overlay to Skelda"},
        {"application accepts nothing", true, true, actions(true, true, true, true, true), kNothing, "100010",
         "Switch to Skelda", "Upload as Overlay to Skelda"},
    };
    for (const Case& c : cases) {
        MenuView view;
        view.applicationRunning = c.running;
        view.applicationInstalled = c.installed;
        view.local = c.local;
        view.application = c.app;
        const auto state = ComputeMenuState(view);
        EXPECT_EQ(enabledOf(state), c.enabled) << c.name;
        EXPECT_STREQ(state[ApplicationCommand].text, c.applicationText) << c.name;
        EXPECT_STREQ(state[OverlayCommand].text, c.overlayText) << c.name;
        // Only the application and overlay commands change their text.
        for (CommandIndex unchanged :
             {UnderlayCommand, LoadTransformationsCommand, ReadTransformationsCommand, ImportProjectCommand})
            EXPECT_EQ(state[unchanged].text, nullptr) << c.name;
    }
}

}  // namespace
