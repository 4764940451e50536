/* "AEGP Keyframe Suite" versions 1 and 2: keyframes one at a time (both versions) and in bulk
   (version 2 only). */
#ifndef SKELDA_SDK_AEGP_KEYFRAME_SUITE_H
#define SKELDA_SDK_AEGP_KEYFRAME_SUITE_H

#include "ae_types.h"
#include "aegp_layer_suite.h"
#include "aegp_stream_suite.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAEGPKeyframeSuite "AEGP Keyframe Suite"
#define kAEGPKeyframeSuiteVersion1 1
#define kAEGPKeyframeSuiteVersion2 2

#define AEGP_KEYFRAME_SUITE_SINGLE_SLOTS                                                          \
    /* 0 */                                                                                       \
    A_Err(AEGP_API* AEGP_GetStreamNumKFs)(AEGP_StreamRefH streamH, A_long * num_kfsPL);           \
    /* 1: the keyframe's time in the given time mode. */                                          \
    A_Err(AEGP_API* AEGP_GetKeyframeTime)(AEGP_StreamRefH streamH, AEGP_KeyframeIndex key_index,  \
                                          AEGP_LTimeMode time_mode, A_Time * timePT);             \
    /* 2: the index of the new keyframe. */                                                       \
    A_Err(AEGP_API* AEGP_InsertKeyframe)(AEGP_StreamRefH streamH, AEGP_LTimeMode time_mode,       \
                                         const A_Time* timePT, AEGP_KeyframeIndex* key_indexP);   \
    /* 3: the keyframes after it move down one index. */                                          \
    A_Err(AEGP_API* AEGP_DeleteKeyframe)(AEGP_StreamRefH streamH, AEGP_KeyframeIndex key_index);  \
    AEGP_ReservedSlot reserved4;                                                                  \
    /* 5 */                                                                                       \
    A_Err(AEGP_API* AEGP_SetKeyframeValue)(AEGP_StreamRefH streamH, AEGP_KeyframeIndex key_index, \
                                           const AEGP_StreamValue* valueP);                       \
    AEGP_ReservedSlot reserved6;                                                                  \
    AEGP_ReservedSlot reserved7;                                                                  \
    AEGP_ReservedSlot reserved8;                                                                  \
    AEGP_ReservedSlot reserved9;                                                                  \
    AEGP_ReservedSlot reserved10;                                                                 \
    AEGP_ReservedSlot reserved11;                                                                 \
    AEGP_ReservedSlot reserved12;                                                                 \
    AEGP_ReservedSlot reserved13;                                                                 \
    AEGP_ReservedSlot reserved14;                                                                 \
    AEGP_ReservedSlot reserved15;

typedef struct AEGP_KeyframeSuite1 {
    AEGP_KEYFRAME_SUITE_SINGLE_SLOTS
} AEGP_KeyframeSuite1;

typedef struct AEGP_KeyframeSuite2 {
    AEGP_KEYFRAME_SUITE_SINGLE_SLOTS
    /* 16: a batch of keyframes for one stream. */
    A_Err(AEGP_API* AEGP_StartAddKeyframes)(AEGP_StreamRefH streamH, AEGP_AddKeyframesInfoH* akPH);
    /* 17 */
    A_Err(AEGP_API* AEGP_AddKeyframes)(AEGP_AddKeyframesInfoH akH, AEGP_LTimeMode time_mode,
                                       const A_Time* timePT, A_long* indexPL);
    /* 18 */
    A_Err(AEGP_API* AEGP_SetAddKeyframe)(AEGP_AddKeyframesInfoH akH, A_long indexL,
                                         const AEGP_StreamValue* valueP);
    /* 19: commits the batch when addB is set, drops it otherwise; the batch is gone either way. */
    A_Err(AEGP_API* AEGP_EndAddKeyframes)(A_Boolean addB, AEGP_AddKeyframesInfoH akH);
} AEGP_KeyframeSuite2;

#undef AEGP_KEYFRAME_SUITE_SINGLE_SLOTS

#ifdef __cplusplus
}
#endif

#endif
