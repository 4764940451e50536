/* "AEGP Footage Suite" version 3: footage, its files and its interpretation. */
#ifndef SKELDA_SDK_AEGP_FOOTAGE_SUITE_H
#define SKELDA_SDK_AEGP_FOOTAGE_SUITE_H

#include "ae_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAEGPFootageSuite "AEGP Footage Suite"
#define kAEGPFootageSuiteVersion1 3

/* Longest path the host hands back, terminating NUL included. */
#define AEGP_MAX_PATH_SIZE 260

#include "aegp_pack_begin.h"

/* The interlace label: a 'FIEL' record, packed tighter than the others. */
#pragma pack(push, 2)
typedef struct AEGP_InterlaceLabel {
    A_u_long signature;
    A_short version;
    A_u_long type;
    A_u_long order;
    A_u_long reserved;
} AEGP_InterlaceLabel;
#pragma pack(pop)

typedef A_u_long AEGP_AlphaFlags;
enum { AEGP_AlphaPremul = 0x1, AEGP_AlphaInverted = 0x2, AEGP_AlphaIgnore = 0x4 };

/* How the footage's alpha reads; the colour is the one a premultiplied alpha was matted with. */
typedef struct AEGP_AlphaLabel {
    AEGP_AlphaFlags flags;
    A_u_char redCu;
    A_u_char greenCu;
    A_u_char blueCu;
} AEGP_AlphaLabel;

typedef A_long AEGP_PulldownPhase;
enum { AEGP_PulldownPhase_NO_PULLDOWN = 0 };

typedef struct AEGP_LoopBehavior {
    A_long loops;
    A_long reserved;
} AEGP_LoopBehavior;

/* How the host reads a footage. Both frame rates are in frames per second. */
typedef struct AEGP_FootageInterp {
    AEGP_InterlaceLabel il;
    AEGP_AlphaLabel al;
    AEGP_PulldownPhase pd;
    AEGP_LoopBehavior loop;
    A_Ratio pix_aspect_ratio;
    A_FpLong native_fpsF;
    A_FpLong conform_fpsF;
    A_long depthL;
    A_Boolean motion_dB;
} AEGP_FootageInterp;

#include "aegp_pack_end.h"

/* Acquired with version 3 (kAEGPFootageSuiteVersion1: the first generation of the table). */
typedef struct AEGP_FootageSuite1 {
    /* 0 */
    A_Err(AEGP_API* AEGP_GetMainFootageFromItem)(AEGP_ItemH itemH, AEGP_FootageH* footagePH);
    AEGP_ReservedSlot reserved1;
    /* 2 */
    A_Err(AEGP_API* AEGP_GetFootageNumFiles)(AEGP_FootageH footageH, A_long* num_filesPL,
                                             A_long* files_per_framePL);
    /* 3: the full path, into a buffer of AEGP_MAX_PATH_SIZE bytes. */
    A_Err(AEGP_API* AEGP_GetFootagePath)(AEGP_FootageH footageH, A_long frame_numL, A_long file_indexL,
                                         A_char* pathZ);
    /* 4: a footage not yet in the project; sequence flag non-zero to take every file of the
       path's type in its folder. The reserved pointer must be null. */
    A_Err(AEGP_API* AEGP_NewFootage)(AEGP_PluginID aegp_plugin_id, const A_char* file_pathZ,
                                     A_Boolean make_sequenceB, void* reserved, AEGP_FootageH* footagePH);
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
} AEGP_FootageSuite1;

#ifdef __cplusplus
}
#endif

#endif
