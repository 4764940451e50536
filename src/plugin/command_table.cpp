#include "plugin/command_table.h"

const CommandEntry kCommandTable[kCommandCount] = {
    {ApplicationCommand, "", AEGP_Menu_ANIMATION, 8},
    {UnderlayCommand, "Upload as Underlay to Skelda", AEGP_Menu_ANIMATION, 9},
    {OverlayCommand, "", AEGP_Menu_ANIMATION, 10},
    {LoadTransformationsCommand, "Load Transformations from Skelda", AEGP_Menu_ANIMATION, 11},
    {ReadTransformationsCommand, "Read Transformations from Skelda File...", AEGP_Menu_ANIMATION, 12},
    {ImportProjectCommand, "Import Project from Skelda", AEGP_Menu_ANIMATION, 13},
};

int commandIndexOf(AEGP_Command command) {
    const HostContext& context = hostContext();
    // Before the entry gave them numbers, no host command is ours.
    if (command == 0) return -1;
    for (int i = 0; i < kCommandCount; ++i) {
        if (context.commands[i] == command) return i;
    }
    return -1;
}
