/* "AEGP Proj Suite" version 2: the open projects and their root folders. */
#ifndef SKELDA_SDK_AEGP_PROJ_SUITE_H
#define SKELDA_SDK_AEGP_PROJ_SUITE_H

#include "ae_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAEGPProjSuite "AEGP Proj Suite"
#define kAEGPProjSuiteVersion1 2

/* Acquired with version 2 (kAEGPProjSuiteVersion1: the first generation of the table). */
typedef struct AEGP_ProjSuite1 {
    /* 0 */
    A_Err(AEGP_API* AEGP_GetNumProjects)(A_long* num_projPL);
    /* 1 */
    A_Err(AEGP_API* AEGP_GetProjectByIndex)(A_long proj_indexL, AEGP_ProjectH* projPH);
    AEGP_ReservedSlot reserved2;
    AEGP_ReservedSlot reserved3;
    /* 4: the root folder, an item of folder type. */
    A_Err(AEGP_API* AEGP_GetProjectRootFolder)(AEGP_ProjectH projH, AEGP_ItemH* root_folderPH);
} AEGP_ProjSuite1;

#ifdef __cplusplus
}
#endif

#endif
