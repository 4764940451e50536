// The module's one exported symbol; everything it does lives in skelda_core.
#include <type_traits>

#include "aegp_entry.h"
#include "plugin/plugin_entry.h"

extern "C" AEGP_MODULE_EXPORT A_Err AEGP_API GPMain_Skelda(const SPBasicSuite* pica_basicP,
                                                           A_long major_versionL, A_long minor_versionL,
                                                           const A_char* module_pathZ,
                                                           AEGP_GlobalRefcon* global_refconP,
                                                           AEGP_PluginID aegp_plugin_id) {
    return SkeldaPluginMain(pica_basicP, major_versionL, minor_versionL, module_pathZ, global_refconP,
                            aegp_plugin_id);
}

static_assert(std::is_same<decltype(&GPMain_Skelda), AEGP_PluginEntryFunc>::value,
              "the entry point has the host's signature");
