/* "AEGP File Import Manager Suite" version 2: import flavors, the file kinds they accept and the
   callbacks the host runs on import. */
#ifndef SKELDA_SDK_AEGP_FILE_IMPORT_SUITE_H
#define SKELDA_SDK_AEGP_FILE_IMPORT_SUITE_H

#include "ae_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAEGPFIMSuite "AEGP File Import Manager Suite"
#define kAEGPFIMSuiteVersion2 2

/* The host's number for a registered flavor. */
typedef A_long AE_FIM_ImportFlavorRef;

typedef A_long AE_FIM_ImportFlags;
enum { AE_FIM_ImportFlag_NONE = 0x0, AE_FIM_ImportFlag_COMP = 0x2 };

/* Why the host imports: an ordinary import, or a file dropped on the project. */
typedef A_long AE_FIM_SpecialAction;
enum { AE_FIM_SpecialAction_NONE = -1, AE_FIM_SpecialAction_DRAG_N_DROP_FILE = 2 };

/* The refcon registered with the callbacks, handed back to each of them. */
typedef struct AE_FIM_RefconTag* AE_FIM_Refcon;
/* One import, to name in AEGP_SetImportedItem. */
typedef const struct AE_FIM_ImportOptionsTag* AE_FIM_ImportOptions;

#include "aegp_pack_begin.h"

/* A file type: a 32-bit type code and a 32-bit creator code. */
typedef struct AEGP_FileType {
    A_u_long type;
    A_u_long creator;
} AEGP_FileType;

/* A file extension: '.' and up to three characters, the rest zero. */
typedef struct AEGP_FileExtension {
    A_char extension[8];
} AEGP_FileExtension;

/* Imports the file into the open project, into the folder given (for an ordinary import and a
   drop alike), and hands the host the new item through AEGP_SetImportedItem with the options. */
typedef A_Err(AEGP_API* AE_FIM_ImportFileCB)(const A_char* file_pathZ, AE_FIM_ImportOptions imp_options,
                                             AE_FIM_SpecialAction action, AEGP_ItemH folderH,
                                             AE_FIM_Refcon refcon);
/* Sets *importablePB when the flavor can import the file. */
typedef A_Err(AEGP_API* AE_FIM_VerifyImportableCB)(const A_char* file_pathZ, AE_FIM_Refcon refcon,
                                                   A_Boolean* importablePB);

typedef struct AE_FIM_ImportCallbacks {
    AE_FIM_Refcon refcon;
    AE_FIM_ImportFileCB import_cb;
    AE_FIM_VerifyImportableCB verify_cb;
} AE_FIM_ImportCallbacks;

#include "aegp_pack_end.h"

/* Acquired with version 2 (kAEGPFIMSuiteVersion2). */
typedef struct AEGP_FIMSuite2 {
    /* 0 */
    A_Err(AEGP_API* AEGP_RegisterImportFlavor)(const A_char* nameZ, AE_FIM_ImportFlavorRef* imp_refP);
    /* 1 */
    A_Err(AEGP_API* AEGP_RegisterImportFlavorFileTypes)(AE_FIM_ImportFlavorRef imp_ref, A_long num_filekindsL,
                                                        const AEGP_FileType* kindsAP, A_long num_fileextsL,
                                                        const AEGP_FileExtension* extsAP);
    /* 2: one flag per call. */
    A_Err(AEGP_API* AEGP_RegisterImportFlavorImportCallbacks)(AE_FIM_ImportFlavorRef imp_ref,
                                                              AE_FIM_ImportFlags single_flag,
                                                              const AE_FIM_ImportCallbacks* imp_cbsP);
    /* 3 */
    A_Err(AEGP_API* AEGP_SetImportedItem)(AE_FIM_ImportOptions imp_options, AEGP_ItemH imported_itemH);
} AEGP_FIMSuite2;

#ifdef __cplusplus
}
#endif

#endif
