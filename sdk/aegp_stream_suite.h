/* "AEGP Stream Suite" version 4: references to a layer's or an effect's animatable properties. */
#ifndef SKELDA_SDK_AEGP_STREAM_SUITE_H
#define SKELDA_SDK_AEGP_STREAM_SUITE_H

#include "ae_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAEGPStreamSuite "AEGP Stream Suite"
#define kAEGPStreamSuiteVersion1 4

/* The layer's own transform properties. */
typedef A_long AEGP_LayerStream;
enum {
    AEGP_LayerStream_ANCHORPOINT = 0,
    AEGP_LayerStream_POSITION = 1,
    AEGP_LayerStream_SCALE = 2,
    AEGP_LayerStream_ROTATION = 3,
    AEGP_LayerStream_OPACITY = 4
};

#include "aegp_pack_begin.h"

typedef struct AEGP_TwoDVal {
    A_FpLong x, y;
} AEGP_TwoDVal;

typedef struct AEGP_ThreeDVal {
    A_FpLong x, y, z;
} AEGP_ThreeDVal;

typedef A_FpLong AEGP_FourDVal[4];

/* Each channel from 0 to 1. */
typedef struct AEGP_ColorVal {
    A_FpLong alphaF, redF, greenF, blueF;
} AEGP_ColorVal;

/* A stream's value, as wide as its widest member: four doubles. */
typedef union AEGP_StreamVal {
    AEGP_FourDVal four_d;
    AEGP_ThreeDVal three_d;
    AEGP_TwoDVal two_d;
    A_FpLong one_d;
    AEGP_ColorVal color;
} AEGP_StreamVal;

/* A value for the stream it names. */
typedef struct AEGP_StreamValue {
    AEGP_StreamRefH streamH;
    AEGP_StreamVal val;
} AEGP_StreamValue;

#include "aegp_pack_end.h"

/* Acquired with version 4 (kAEGPStreamSuiteVersion1: the first generation of the table). */
typedef struct AEGP_StreamSuite1 {
    AEGP_ReservedSlot reserved0;
    AEGP_ReservedSlot reserved1;
    /* 2: a reference to free with AEGP_DisposeStream. */
    A_Err(AEGP_API* AEGP_GetNewLayerStream)(AEGP_PluginID aegp_plugin_id, AEGP_LayerH layerH,
                                            AEGP_LayerStream which_stream, AEGP_StreamRefH* streamPH);
    AEGP_ReservedSlot reserved3;
    /* 4: parameter index 1 is the effect's first parameter. */
    A_Err(AEGP_API* AEGP_GetNewEffectStreamByIndex)(AEGP_PluginID aegp_plugin_id, AEGP_EffectRefH effectH,
                                                    A_long param_index, AEGP_StreamRefH* streamPH);
    AEGP_ReservedSlot reserved5;
    /* 6 */
    A_Err(AEGP_API* AEGP_DisposeStream)(AEGP_StreamRefH streamH);
} AEGP_StreamSuite1;

#ifdef __cplusplus
}
#endif

#endif
