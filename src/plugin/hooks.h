#pragma once

#include "aegp_file_import_suite.h"
#include "aegp_register_suite.h"

// The callbacks the entry registers with the host. Each runs its body inside HookGuard.

A_Err AEGP_API CommandHook(AEGP_GlobalRefcon plugin_refconP, AEGP_CommandRefcon refconP, AEGP_Command command,
                           AEGP_HookPriority hook_priority, A_Boolean already_handledB, A_Boolean* handledPB);
A_Err AEGP_API UpdateMenuHook(AEGP_GlobalRefcon plugin_refconP, AEGP_UpdateMenuRefcon refconP,
                              AEGP_WindowType active_window);
// Runs at most one deferred task per call.
A_Err AEGP_API IdleHook(AEGP_GlobalRefcon plugin_refconP, AEGP_IdleRefcon refconP, A_long* max_sleepPL);
// Stops the plug-in's server and waits for its thread.
A_Err AEGP_API DeathHook(AEGP_GlobalRefcon plugin_refconP, AEGP_DeathRefcon refconP);

// The import flavor's callbacks. The import builds the project's composition in the project's
// root folder, whatever folder the host names, and tells the host its item.
A_Err AEGP_API ImportProjectFile(const A_char* file_pathZ, AE_FIM_ImportOptions imp_options,
                                 AE_FIM_SpecialAction action, AEGP_ItemH folderH, AE_FIM_Refcon refcon);
// Accepts every file offered for the flavor.
A_Err AEGP_API VerifyProjectFile(const A_char* file_pathZ, AE_FIM_Refcon refcon, A_Boolean* importablePB);
