/* "AEGP Layer Suite" version 7: layers of compositions. */
#ifndef SKELDA_SDK_AEGP_LAYER_SUITE_H
#define SKELDA_SDK_AEGP_LAYER_SUITE_H

#include "ae_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAEGPLayerSuite "AEGP Layer Suite"
#define kAEGPLayerSuiteVersion2 7

/* Layer time counts from the layer's start; composition time from the composition's. 16 bits wide. */
typedef A_short AEGP_LTimeMode;
enum { AEGP_LTimeMode_LayerTime = 0, AEGP_LTimeMode_CompTime = 1 };

typedef A_long AEGP_ObjectType;
enum {
    AEGP_ObjectType_AV = 0,
    AEGP_ObjectType_LIGHT = 1,
    AEGP_ObjectType_CAMERA = 2,
    AEGP_ObjectType_TEXT = 3
};

/* Acquired with version 7 (kAEGPLayerSuiteVersion2: the second generation of the table). */
typedef struct AEGP_LayerSuite2 {
    AEGP_ReservedSlot reserved0;
    AEGP_ReservedSlot reserved1;
    /* 2: the active layer, or null. */
    A_Err(AEGP_API* AEGP_GetActiveLayer)(AEGP_LayerH* layerPH);
    AEGP_ReservedSlot reserved3;
    /* 4 */
    A_Err(AEGP_API* AEGP_GetLayerSourceItem)(AEGP_LayerH layerH, AEGP_ItemH* source_itemPH);
    /* 5 */
    A_Err(AEGP_API* AEGP_GetLayerParentComp)(AEGP_LayerH layerH, AEGP_CompH* compPH);
    AEGP_ReservedSlot reserved6;
    AEGP_ReservedSlot reserved7;
    AEGP_ReservedSlot reserved8;
    AEGP_ReservedSlot reserved9;
    AEGP_ReservedSlot reserved10;
    AEGP_ReservedSlot reserved11;
    AEGP_ReservedSlot reserved12;
    AEGP_ReservedSlot reserved13;
    /* 14 */
    A_Err(AEGP_API* AEGP_GetLayerInPoint)(AEGP_LayerH layerH, AEGP_LTimeMode time_mode, A_Time* in_pointPT);
    /* 15 */
    A_Err(AEGP_API* AEGP_GetLayerDuration)(AEGP_LayerH layerH, AEGP_LTimeMode time_mode, A_Time* durationPT);
    /* 16 */
    A_Err(AEGP_API* AEGP_SetLayerInPointAndDuration)(AEGP_LayerH layerH, AEGP_LTimeMode time_mode,
                                                     const A_Time* in_pointPT, const A_Time* durationPT);
    AEGP_ReservedSlot reserved17;
    /* 18: the layer starts at this composition time. */
    A_Err(AEGP_API* AEGP_SetLayerOffset)(AEGP_LayerH layerH, const A_Time* offsetPT);
    AEGP_ReservedSlot reserved19;
    AEGP_ReservedSlot reserved20;
    AEGP_ReservedSlot reserved21;
    AEGP_ReservedSlot reserved22;
    AEGP_ReservedSlot reserved23;
    /* 24 */
    A_Err(AEGP_API* AEGP_AddLayer)(AEGP_ItemH itemH, AEGP_CompH compH, AEGP_LayerH* added_layerPH);
    AEGP_ReservedSlot reserved25;
    AEGP_ReservedSlot reserved26;
    /* 27 */
    A_Err(AEGP_API* AEGP_GetLayerObjectType)(AEGP_LayerH layerH, AEGP_ObjectType* object_typeP);
} AEGP_LayerSuite2;

#ifdef __cplusplus
}
#endif

#endif
