#pragma once

#include "plugin/command_table.h"

// Runs what the user asked for with one of the six commands, on the host's main thread. Failures
// pass out as exceptions for the hook's guard to report.
void runCommand(CommandIndex command);

// Applies the tracking result of a project file the user picks in the transformations-source
// dialog to the active layer; a cancelled dialog reads nothing.
void ReadTransformationsFromFile();
