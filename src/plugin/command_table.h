#pragma once

#include "aegp_command_suite.h"
#include "host/host_context.h"

// The plug-in's six commands, in table order; the index into HostContext::commands.
enum CommandIndex {
    ApplicationCommand,
    UnderlayCommand,
    OverlayCommand,
    LoadTransformationsCommand,
    ReadTransformationsCommand,
    ImportProjectCommand
};

struct CommandEntry {
    CommandIndex index;
    // Shown until the first menu update; commands 1 and 3 get their text there.
    const char* text;
    AEGP_MenuID menu;
    // Absolute position in the menu.
    A_long position;
};

extern const CommandEntry kCommandTable[kCommandCount];

// The index of the command the host numbered `command`, or -1 when it is none of ours.
int commandIndexOf(AEGP_Command command);
