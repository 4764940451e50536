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

/* basic suite, host API major and minor version, the module's own file path, the place for a
   refcon handed to every later callback, the id the host gave the module. */
typedef A_Err(AEGP_API* AEGP_PluginEntryFunc)(const SPBasicSuite* pica_basicP, A_long major_versionL,
                                              A_long minor_versionL, const A_char* module_pathZ,
                                              AEGP_GlobalRefcon* global_refconP,
                                              AEGP_PluginID aegp_plugin_id);

#ifdef __cplusplus
}
#endif

#endif
