/* "AEGP Utility Suite" version 3: messages to the user, undo groups, the host's main window. */
#ifndef SKELDA_SDK_AEGP_UTILITY_SUITE_H
#define SKELDA_SDK_AEGP_UTILITY_SUITE_H

#include "ae_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAEGPUtilitySuite "AEGP Utility Suite"
#define kAEGPUtilitySuiteVersion1 3

/* Acquired with version 3 (kAEGPUtilitySuiteVersion1: the first generation of the table). */
typedef struct AEGP_UtilitySuite1 {
    /* 0: shows the text to the user. */
    A_Err(AEGP_API* AEGP_ReportInfo)(AEGP_PluginID aegp_plugin_id, const A_char* info_stringZ);
    AEGP_ReservedSlot reserved1;
    AEGP_ReservedSlot reserved2;
    AEGP_ReservedSlot reserved3;
    AEGP_ReservedSlot reserved4;
    /* 5: later changes form one undoable step with this name. */
    A_Err(AEGP_API* AEGP_StartUndoGroup)(const A_char* undo_nameZ);
    /* 6: closes the step. */
    A_Err(AEGP_API* AEGP_EndUndoGroup)(void);
    AEGP_ReservedSlot reserved7;
    /* 8: the host's main window: an HWND on Windows, the host's window services elsewhere. */
    A_Err(AEGP_API* AEGP_GetMainHWND)(void* main_hwndPH);
} AEGP_UtilitySuite1;

#ifdef __cplusplus
}
#endif

#endif
