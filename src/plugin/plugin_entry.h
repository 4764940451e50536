#pragma once

#include "aegp_entry.h"

// What the exported entry point does: stores the host context, inserts the six commands,
// registers the hooks and the import flavor and starts the server. It takes the host's arguments
// for this target (the plug-in id is the fourth of five, or the sixth of seven on 32-bit Windows)
// and leaves the refcon alone. Tests call it in-process.
A_Err AEGP_API skeldaPluginMain(AEGP_ENTRY_PARAMETERS(pica_basicP, major_versionL, minor_versionL,
                                                      aegp_plugin_id, global_refconP));
