/* "PF ANSI Suite" version 1: the host's C library calls; only sprintf is used. */
#ifndef SKELDA_SDK_PF_ANSI_SUITE_H
#define SKELDA_SDK_PF_ANSI_SUITE_H

#include "ae_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kPFANSISuite "PF ANSI Suite"
#define kPFANSISuiteVersion1 1

/* Acquired with version 1 (kPFANSISuiteVersion1). */
typedef struct PF_ANSICallbacksSuite1 {
    AEGP_ReservedSlot reserved0;
    AEGP_ReservedSlot reserved1;
    AEGP_ReservedSlot reserved2;
    AEGP_ReservedSlot reserved3;
    AEGP_ReservedSlot reserved4;
    AEGP_ReservedSlot reserved5;
    AEGP_ReservedSlot reserved6;
    AEGP_ReservedSlot reserved7;
    AEGP_ReservedSlot reserved8;
    AEGP_ReservedSlot reserved9;
    AEGP_ReservedSlot reserved10;
    AEGP_ReservedSlot reserved11;
    AEGP_ReservedSlot reserved12;
    AEGP_ReservedSlot reserved13;
    AEGP_ReservedSlot reserved14;
    /* 15: the C library's sprintf; the buffer must hold the whole result. */
    A_long(AEGP_API* sprintf)(A_char* buffer, const A_char* format, ...);
} PF_ANSICallbacksSuite1;

#ifdef __cplusplus
}
#endif

#endif
