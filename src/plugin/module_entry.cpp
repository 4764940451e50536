// The module's one exported symbol; everything it does lives in skelda_core.
#include <type_traits>

#include "aegp_entry.h"
#include "plugin/plugin_entry.h"

extern "C" AEGP_MODULE_EXPORT A_Err AEGP_API GPMain_Skelda(
    AEGP_ENTRY_PARAMETERS(pica_basicP, major_versionL, minor_versionL, aegp_plugin_id, global_refconP)) {
    return skeldaPluginMain(AEGP_ENTRY_ARGUMENTS(pica_basicP, major_versionL, minor_versionL, nullptr,
                                                 nullptr, aegp_plugin_id, global_refconP));
}

static_assert(std::is_same<decltype(&GPMain_Skelda), AEGP_PluginEntryFunc>::value,
              "the entry point has the host's signature");
