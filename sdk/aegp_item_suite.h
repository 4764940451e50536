/* "AEGP Item Suite" version 4: project items (folders, footage, compositions). */
#ifndef SKELDA_SDK_AEGP_ITEM_SUITE_H
#define SKELDA_SDK_AEGP_ITEM_SUITE_H

#include "ae_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAEGPItemSuite "AEGP Item Suite"
#define kAEGPItemSuiteVersion2 4

/* 16 bits wide. */
typedef A_short AEGP_ItemType;
enum {
    AEGP_ItemType_NONE = 0,
    AEGP_ItemType_FOLDER = 1,
    AEGP_ItemType_COMP = 2,
    AEGP_ItemType_SOLID = 3,
    AEGP_ItemType_FOOTAGE = 4
};

/* Acquired with version 4 (kAEGPItemSuiteVersion2: the second generation of the table). */
typedef struct AEGP_ItemSuite2 {
    AEGP_ReservedSlot reserved0;
    /* 1: the active item, or null. */
    A_Err(AEGP_API* AEGP_GetActiveItem)(AEGP_ItemH* itemPH);
    AEGP_ReservedSlot reserved2;
    /* 3 */
    A_Err(AEGP_API* AEGP_SelectItem)(AEGP_ItemH itemH, A_Boolean selectB, A_Boolean deselect_othersB);
    /* 4 */
    A_Err(AEGP_API* AEGP_GetItemType)(AEGP_ItemH itemH, AEGP_ItemType* item_typeP);
    AEGP_ReservedSlot reserved5;
    AEGP_ReservedSlot reserved6;
    AEGP_ReservedSlot reserved7;
    AEGP_ReservedSlot reserved8;
    AEGP_ReservedSlot reserved9;
    AEGP_ReservedSlot reserved10;
    AEGP_ReservedSlot reserved11;
    AEGP_ReservedSlot reserved12;
    /* 13: size in pixels. */
    A_Err(AEGP_API* AEGP_GetItemDimensions)(AEGP_ItemH itemH, A_long* widthPL, A_long* heightPL);
} AEGP_ItemSuite2;

#ifdef __cplusplus
}
#endif

#endif
