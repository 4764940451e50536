/* "AEGP Register Suite" version 1: the hooks through which the host calls a module back. */
#ifndef SKELDA_SDK_AEGP_REGISTER_SUITE_H
#define SKELDA_SDK_AEGP_REGISTER_SUITE_H

#include "ae_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAEGPRegisterSuite "AEGP Register Suite"
#define kAEGPRegisterSuiteVersion1 1

/* Whether a command hook runs before or after the host handles the command. */
typedef A_u_long AEGP_HookPriority;
enum { AEGP_HP_BeforeAE = 0x1, AEGP_HP_AfterAE = 0x2 };

/* Registering a command hook for command 0 means every command. */
enum { AEGP_Command_ALL = 0 };

typedef A_long AEGP_WindowType;
enum { AEGP_WindType_NONE = 0, AEGP_WindType_PROJECT = 1, AEGP_WindType_COMP = 2 };

/* The hook sets *handledPB when it carried the command out. */
typedef A_Err(AEGP_API* AEGP_CommandHook)(AEGP_GlobalRefcon plugin_refconP, AEGP_CommandRefcon refconP,
                                          AEGP_Command command, AEGP_HookPriority hook_priority,
                                          A_Boolean already_handledB, A_Boolean* handledPB);
typedef A_Err(AEGP_API* AEGP_UpdateMenuHook)(AEGP_GlobalRefcon plugin_refconP, AEGP_UpdateMenuRefcon refconP,
                                             AEGP_WindowType active_window);
typedef A_Err(AEGP_API* AEGP_DeathHook)(AEGP_GlobalRefcon plugin_refconP, AEGP_DeathRefcon refconP);
/* The hook may lower *max_sleepPL, the time until the host idles again, in sixtieths of a second. */
typedef A_Err(AEGP_API* AEGP_IdleHook)(AEGP_GlobalRefcon plugin_refconP, AEGP_IdleRefcon refconP,
                                       A_long* max_sleepPL);

/* Acquired with version 1 (kAEGPRegisterSuiteVersion1). */
typedef struct AEGP_RegisterSuite1 {
    /* 0 */
    A_Err(AEGP_API* AEGP_RegisterCommandHook)(AEGP_PluginID aegp_plugin_id, AEGP_HookPriority hook_priority,
                                              AEGP_Command command, AEGP_CommandHook command_hook_func,
                                              AEGP_CommandRefcon refconP);
    /* 1 */
    A_Err(AEGP_API* AEGP_RegisterUpdateMenuHook)(AEGP_PluginID aegp_plugin_id,
                                                 AEGP_UpdateMenuHook update_menu_hook_func,
                                                 AEGP_UpdateMenuRefcon refconP);
    /* 2 */
    A_Err(AEGP_API* AEGP_RegisterDeathHook)(AEGP_PluginID aegp_plugin_id, AEGP_DeathHook death_hook_func,
                                            AEGP_DeathRefcon refconP);
    AEGP_ReservedSlot reserved3;
    AEGP_ReservedSlot reserved4;
    AEGP_ReservedSlot reserved5;
    AEGP_ReservedSlot reserved6;
    AEGP_ReservedSlot reserved7;
    /* 8 */
    A_Err(AEGP_API* AEGP_RegisterIdleHook)(AEGP_PluginID aegp_plugin_id, AEGP_IdleHook idle_hook_func,
                                           AEGP_IdleRefcon refconP);
} AEGP_RegisterSuite1;

#ifdef __cplusplus
}
#endif

#endif
