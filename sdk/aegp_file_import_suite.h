/* "AEGP File Import Manager Suite" version 2: import flavors, the file kinds they accept and the
   callbacks the host runs on import. */
#ifndef SKELDA_SDK_AEGP_FILE_IMPORT_SUITE_H
#define SKELDA_SDK_AEGP_FILE_IMPORT_SUITE_H

#include "ae_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAEGPFileImportManagerSuite "AEGP File Import Manager Suite"
#define kAEGPFileImportManagerSuiteVersion2 2

/* A file type: a 32-bit type code and a 32-bit creator code. */
typedef struct AEGP_FileType {
    A_u_long type;
    A_u_long creator;
} AEGP_FileType;

/* A file extension: '.' and up to three characters, the rest zero. */
typedef struct AEGP_FileExtension {
    A_char extension[8];
} AEGP_FileExtension;

typedef A_long AEGP_ImportFlags;

/* Imports the file into the open project and hands the host the new item through
   AEGP_SetImportedItem with the options handle. */
typedef A_Err(AEGP_API* AEGP_FileImportCB)(AEGP_ImportRefcon refconP, const A_char* file_pathZ,
                                           AEGP_ImportOptionsH import_optionsH);
/* Sets *importablePB when the flavor can import the file. */
typedef A_Err(AEGP_API* AEGP_FileVerifyCB)(AEGP_ImportRefcon refconP, const A_char* file_pathZ,
                                           A_Boolean* importablePB);

typedef struct AEGP_FileImportCallbacks {
    AEGP_ImportRefcon refcon;
    AEGP_FileImportCB import_cb;
    AEGP_FileVerifyCB verify_cb;
} AEGP_FileImportCallbacks;

typedef struct AEGP_FileImportManagerSuite2 {
    /* 0 */
    A_Err(AEGP_API* AEGP_RegisterImportFlavor)(const A_char* nameZ, AEGP_ImportFlavorID* flavor_idP);
    /* 1 */
    A_Err(AEGP_API* AEGP_RegisterImportFlavorFileTypes)(AEGP_ImportFlavorID flavor_id, A_long num_filetypesL,
                                                        const AEGP_FileType* filetypesAP,
                                                        A_long num_extensionsL,
                                                        const AEGP_FileExtension* extensionsAP);
    /* 2 */
    A_Err(AEGP_API* AEGP_RegisterImportFlavorImportCallbacks)(AEGP_ImportFlavorID flavor_id,
                                                              AEGP_ImportFlags flags,
                                                              const AEGP_FileImportCallbacks* callbacksP);
    /* 3 */
    A_Err(AEGP_API* AEGP_SetImportedItem)(AEGP_ImportOptionsH import_optionsH, AEGP_ItemH itemH);
} AEGP_FileImportManagerSuite2;

#ifdef __cplusplus
}
#endif

#endif
