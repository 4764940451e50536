/* The basic suite: the host's one entry to every other suite, acquired and released by name
   and version. */
#ifndef SKELDA_SDK_SP_BASIC_SUITE_H
#define SKELDA_SDK_SP_BASIC_SUITE_H

#include "ae_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t SPErr;

enum { kSPNoError = 0, kSPSuiteNotFoundError = 0x53214664 };

typedef struct SPBasicSuite {
    /* 0: fills *suite with the named suite's function table in that version. */
    SPErr(AEGP_API* AcquireSuite)(const char* name, A_long version, const void** suite);
    /* 1: gives back one acquisition of the same name and version. */
    SPErr(AEGP_API* ReleaseSuite)(const char* name, A_long version);
    AEGP_ReservedSlot reserved2;
    AEGP_ReservedSlot reserved3;
    AEGP_ReservedSlot reserved4;
    AEGP_ReservedSlot reserved5;
    AEGP_ReservedSlot reserved6;
} SPBasicSuite;

#ifdef __cplusplus
}
#endif

#endif
