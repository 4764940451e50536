#pragma once

#include <array>

#include "host/host_context.h"
#include "message/possible_actions.h"

// What the menu should show for each of the six commands, decided from the plug-in's own view of
// the host and what the application says it accepts now.
struct MenuView {
    bool applicationRunning = false;
    bool applicationInstalled = false;
    PossibleActions local;
    PossibleActions application;
};

struct CommandState {
    bool enabled = false;
    // The text to give the command; null leaves the menu's text as it is.
    const char* text = nullptr;
};

std::array<CommandState, kCommandCount> computeMenuState(const MenuView& view);
