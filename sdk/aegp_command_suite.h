/* "AEGP Command Suite" version 1: menu commands. */
#ifndef SKELDA_SDK_AEGP_COMMAND_SUITE_H
#define SKELDA_SDK_AEGP_COMMAND_SUITE_H

#include "ae_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAEGPCommandSuite "AEGP Command Suite"
#define kAEGPCommandSuiteVersion1 1

typedef A_long AEGP_MenuID;
enum { AEGP_Menu_NONE = 0, AEGP_Menu_ANIMATION = 14 };

/* Acquired with version 1 (kAEGPCommandSuiteVersion1). */
typedef struct AEGP_CommandSuite1 {
    /* 0: a command number no other command uses. */
    A_Err(AEGP_API* AEGP_GetUniqueCommand)(AEGP_Command* unique_commandP);
    /* 1: puts the command into a menu at an absolute position. */
    A_Err(AEGP_API* AEGP_InsertMenuCommand)(AEGP_Command command, const A_char* nameZ, AEGP_MenuID menu_id,
                                            A_long after_itemL);
    AEGP_ReservedSlot reserved2;
    /* 3 */
    A_Err(AEGP_API* AEGP_SetMenuCommandName)(AEGP_Command command, const A_char* nameZ);
    /* 4 */
    A_Err(AEGP_API* AEGP_EnableCommand)(AEGP_Command command);
    /* 5 */
    A_Err(AEGP_API* AEGP_DisableCommand)(AEGP_Command command);
} AEGP_CommandSuite1;

#ifdef __cplusplus
}
#endif

#endif
