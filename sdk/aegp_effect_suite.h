/* "AEGP Effect Suite" version 1: effects on layers and the installed effects. */
#ifndef SKELDA_SDK_AEGP_EFFECT_SUITE_H
#define SKELDA_SDK_AEGP_EFFECT_SUITE_H

#include "ae_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAEGPEffectSuite "AEGP Effect Suite"
#define kAEGPEffectSuiteVersion1 1

/* Size of the buffer an effect's display name is written into, terminating NUL included. */
#define AEGP_MAX_EFFECT_NAME_SIZE 48

typedef struct AEGP_EffectSuite1 {
    /* 0 */
    A_Err(AEGP_API* AEGP_GetLayerNumEffects)(AEGP_LayerH layerH, A_long* num_effectsPL);
    /* 1: index 0 is the first effect in the layer's list; a reference to free with
       AEGP_DisposeEffect. */
    A_Err(AEGP_API* AEGP_GetLayerEffectByIndex)(AEGP_PluginID aegp_plugin_id, AEGP_LayerH layerH,
                                                A_long layer_effect_indexL, AEGP_EffectRefH* effectPH);
    /* 2 */
    A_Err(AEGP_API* AEGP_GetInstalledKeyFromLayerEffect)(AEGP_EffectRefH effect_refH,
                                                         AEGP_InstalledEffectKey* installed_keyP);
    AEGP_ReservedSlot reserved3;
    AEGP_ReservedSlot reserved4;
    AEGP_ReservedSlot reserved5;
    AEGP_ReservedSlot reserved6;
    AEGP_ReservedSlot reserved7;
    /* 8: frees the reference, not the effect. */
    A_Err(AEGP_API* AEGP_DisposeEffect)(AEGP_EffectRefH effectH);
    /* 9 */
    A_Err(AEGP_API* AEGP_ApplyEffect)(AEGP_PluginID aegp_plugin_id, AEGP_LayerH layerH,
                                      AEGP_InstalledEffectKey installed_key, AEGP_EffectRefH* effectPH);
    AEGP_ReservedSlot reserved10;
    /* 11 */
    A_Err(AEGP_API* AEGP_GetNumInstalledEffects)(A_long* num_installed_effectsPL);
    /* 12: key 0 gives the first installed effect. */
    A_Err(AEGP_API* AEGP_GetNextInstalledEffect)(AEGP_InstalledEffectKey key,
                                                 AEGP_InstalledEffectKey* next_keyP);
    /* 13: into a buffer of AEGP_MAX_EFFECT_NAME_SIZE bytes. */
    A_Err(AEGP_API* AEGP_GetEffectName)(AEGP_InstalledEffectKey installed_key, A_char* nameZ);
} AEGP_EffectSuite1;

#ifdef __cplusplus
}
#endif

#endif
