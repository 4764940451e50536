/* "AEGP Comp Suite" version 6: compositions. */
#ifndef SKELDA_SDK_AEGP_COMP_SUITE_H
#define SKELDA_SDK_AEGP_COMP_SUITE_H

#include "ae_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAEGPCompSuite "AEGP Comp Suite"
#define kAEGPCompSuiteVersion2 6

/* Acquired with version 6 (kAEGPCompSuiteVersion2: the second generation of the table). */
typedef struct AEGP_CompSuite2 {
    AEGP_ReservedSlot reserved0;
    /* 1 */
    A_Err(AEGP_API* AEGP_GetItemFromComp)(AEGP_CompH compH, AEGP_ItemH* itemPH);
    AEGP_ReservedSlot reserved2;
    AEGP_ReservedSlot reserved3;
    AEGP_ReservedSlot reserved4;
    AEGP_ReservedSlot reserved5;
    /* 6: frames per second. */
    A_Err(AEGP_API* AEGP_GetCompFramerate)(AEGP_CompH compH, A_FpLong* fpsPF);
    AEGP_ReservedSlot reserved7;
    AEGP_ReservedSlot reserved8;
    AEGP_ReservedSlot reserved9;
    AEGP_ReservedSlot reserved10;
    AEGP_ReservedSlot reserved11;
    AEGP_ReservedSlot reserved12;
    AEGP_ReservedSlot reserved13;
    AEGP_ReservedSlot reserved14;
    /* 15 */
    A_Err(AEGP_API* AEGP_CreateComp)(AEGP_ItemH parent_folderH, const A_char* nameZ, A_long widthL,
                                     A_long heightL, const A_Ratio* pixel_aspect_ratioPRt,
                                     const A_Time* durationPT, const A_Ratio* frameratePRt,
                                     AEGP_CompH* new_compPH);
} AEGP_CompSuite2;

#ifdef __cplusplus
}
#endif

#endif
