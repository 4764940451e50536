#pragma once

#include "aegp_entry.h"

// What the exported entry point does: stores the host context, inserts the six commands,
// registers the hooks and the import flavor and starts the server. Tests call it in-process.
A_Err SkeldaPluginMain(const SPBasicSuite* pica_basicP, A_long major_versionL, A_long minor_versionL,
                       const A_char* module_pathZ, AEGP_GlobalRefcon* global_refconP,
                       AEGP_PluginID aegp_plugin_id);
