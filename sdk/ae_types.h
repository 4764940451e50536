/* Basic types of the host's C interface: integers, error codes, time and ratio records and the
   opaque handles that the host hands out and takes back. */
#ifndef SKELDA_SDK_AE_TYPES_H
#define SKELDA_SDK_AE_TYPES_H

#include <stdint.h>

#if defined(_WIN32)
#define AEGP_API __cdecl
#else
#define AEGP_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t A_Err;
typedef int32_t A_long;
typedef uint32_t A_u_long;
typedef int16_t A_short;
typedef uint16_t A_u_short;
typedef char A_char;
typedef unsigned char A_u_char;
typedef unsigned char A_Boolean;
typedef double A_FpLong;

/* Error codes: zero is success, every other value a failure of the host's own choosing. */
enum {
    A_Err_NONE = 0,
    A_Err_GENERIC = 1,
    A_Err_STRUCT = 2,
    A_Err_PARAMETER = 3,
    A_Err_ALLOC = 4,
    A_Err_MISSING_SUITE = 13
};

#include "aegp_pack_begin.h"

/* value / scale seconds. */
typedef struct A_Time {
    A_long value;
    A_u_long scale;
} A_Time;

typedef struct A_Ratio {
    A_long num;
    A_u_long den;
} A_Ratio;

#include "aegp_pack_end.h"

typedef A_long AEGP_PluginID;
typedef A_long AEGP_Command;
/* 0 means "no installed effect". */
typedef A_long AEGP_InstalledEffectKey;
typedef A_long AEGP_KeyframeIndex;

typedef struct _AEGP_Project* AEGP_ProjectH;
typedef struct _AEGP_Item* AEGP_ItemH;
typedef struct _AEGP_Comp* AEGP_CompH;
typedef struct _AEGP_Layer* AEGP_LayerH;
typedef struct _AEGP_Footage* AEGP_FootageH;
typedef struct _AEGP_StreamRef* AEGP_StreamRefH;
typedef struct _AEGP_EffectRef* AEGP_EffectRefH;
typedef struct _AEGP_AddKeyframesInfo* AEGP_AddKeyframesInfoH;

/* Refcons: values a module registers and gets back unchanged in its callbacks. */
typedef void* AEGP_GlobalRefcon;
typedef void* AEGP_CommandRefcon;
typedef void* AEGP_UpdateMenuRefcon;
typedef void* AEGP_DeathRefcon;
typedef void* AEGP_IdleRefcon;

/* A function-table slot that this interface does not use. */
typedef void(AEGP_API* AEGP_ReservedSlot)(void);

#ifdef __cplusplus
}
#endif

#endif
