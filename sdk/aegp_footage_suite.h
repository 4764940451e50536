/* "AEGP Footage Suite" version 3: footage, its files and its interpretation. */
#ifndef SKELDA_SDK_AEGP_FOOTAGE_SUITE_H
#define SKELDA_SDK_AEGP_FOOTAGE_SUITE_H

#include "ae_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAEGPFootageSuite "AEGP Footage Suite"
#define kAEGPFootageSuiteVersion3 3

/* Longest path the host hands back, terminating NUL included. */
#define AEGP_MAX_PATH_SIZE 1024

typedef struct AEGP_AlphaLabel {
    A_long flags;
    A_u_char red, green, blue;
    A_char alpha;
} AEGP_AlphaLabel;

/* How the host reads a footage. The native frame rate is held in units of 1/65536 frame per
   second (25 frames per second is 1638400.0). */
typedef struct AEGP_FootageInterp {
    AEGP_AlphaLabel alpha;
    A_long loops;
    A_Ratio pixel_aspect_ratio;
    A_FpLong native_fpsF;
    A_FpLong conform_fpsF;
    A_long reserved[4];
} AEGP_FootageInterp;

/* Which layer of a layered file to take; none for plain files. */
typedef A_long AEGP_FootageLayerKey;
enum { AEGP_FootageLayerKey_NONE = 0 };

typedef struct AEGP_FootageSuite3 {
    /* 0 */
    A_Err(AEGP_API* AEGP_GetMainFootageFromItem)(AEGP_ItemH itemH, AEGP_FootageH* footagePH);
    AEGP_ReservedSlot reserved1;
    /* 2 */
    A_Err(AEGP_API* AEGP_GetFootageNumFiles)(AEGP_FootageH footageH, A_long* num_filesPL,
                                             A_long* files_per_framePL);
    /* 3: the full path, into a buffer of AEGP_MAX_PATH_SIZE bytes. */
    A_Err(AEGP_API* AEGP_GetFootagePath)(AEGP_FootageH footageH, A_long frame_numL, A_long file_indexL,
                                         A_char* pathZ);
    /* 4: a footage not yet in the project; sequence flag non-zero to take the file's sequence. */
    A_Err(AEGP_API* AEGP_NewFootage)(AEGP_PluginID aegp_plugin_id, const A_char* pathZ, A_Boolean sequenceB,
                                     AEGP_FootageLayerKey layer_key, AEGP_FootageH* footagePH);
    /* 5 */
    A_Err(AEGP_API* AEGP_AddFootageToProject)(AEGP_FootageH footageH, AEGP_ItemH folderH,
                                              AEGP_ItemH* added_itemPH);
    AEGP_ReservedSlot reserved6;
    AEGP_ReservedSlot reserved7;
    /* 8: a footage from AEGP_NewFootage that was not added to the project; once added, the
       project owns it. */
    A_Err(AEGP_API* AEGP_DisposeFootage)(AEGP_FootageH footageH);
    /* 9 */
    A_Err(AEGP_API* AEGP_GetFootageInterpretation)(AEGP_FootageH footageH, AEGP_FootageInterp* interpP);
    /* 10 */
    A_Err(AEGP_API* AEGP_SetFootageInterpretation)(AEGP_FootageH footageH, const AEGP_FootageInterp* interpP);
} AEGP_FootageSuite3;

#ifdef __cplusplus
}
#endif

#endif
