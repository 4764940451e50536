/* The entry point a general plug-in module exports and the host calls once after loading it. */
#ifndef SKELDA_SDK_AEGP_ENTRY_H
#define SKELDA_SDK_AEGP_ENTRY_H

#include "ae_types.h"
#include "sp_basic_suite.h"

/* Marks the entry point as the module's export. */
#if defined(_WIN32)
#define AEGP_MODULE_EXPORT __declspec(dllexport)
#else
#define AEGP_MODULE_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32) && !defined(_WIN64)
/* The 32-bit host: basic suite, host API major and minor version, the module's file path and its
   resource path, the id the host gave the module, the place for a refcon handed to every later
   callback. */
typedef A_Err(AEGP_API* AEGP_PluginEntryFunc)(const SPBasicSuite* pica_basicP, A_long major_versionL,
                                              A_long minor_versionL, const A_char* file_pathZ,
                                              const A_char* res_pathZ, AEGP_PluginID aegp_plugin_id,
                                              AEGP_GlobalRefcon* global_refconP);
/* An entry's parameter list, the two paths unnamed; and the arguments of a call to an entry. */
#define AEGP_ENTRY_PARAMETERS(basic, major, minor, id, refcon)                                               \
    const SPBasicSuite *basic, A_long major, A_long minor, const A_char *, const A_char *, AEGP_PluginID id, \
        AEGP_GlobalRefcon *refcon
#define AEGP_ENTRY_ARGUMENTS(basic, major, minor, file_path, res_path, id, refcon) \
    basic, major, minor, file_path, res_path, id, refcon
#else
/* The 64-bit host (and the simulated host everywhere else): basic suite, host API major and minor
   version, the id the host gave the module, the place for a refcon handed to every later callback. */
typedef A_Err(AEGP_API* AEGP_PluginEntryFunc)(const SPBasicSuite* pica_basicP, A_long major_versionL,
                                              A_long minor_versionL, AEGP_PluginID aegp_plugin_id,
                                              AEGP_GlobalRefcon* global_refconP);
#define AEGP_ENTRY_PARAMETERS(basic, major, minor, id, refcon) \
    const SPBasicSuite *basic, A_long major, A_long minor, AEGP_PluginID id, AEGP_GlobalRefcon *refcon
#define AEGP_ENTRY_ARGUMENTS(basic, major, minor, file_path, res_path, id, refcon) \
    basic, major, minor, id, refcon
#endif

#ifdef __cplusplus
}
#endif

#endif
