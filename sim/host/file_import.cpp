#include "sim/host/file_import.h"

namespace simhost {

ImportResult importWithFlavor(SimHost& host, const ImportFlavor& flavor, const std::string& path) {
    ImportResult outcome;
    if (!flavor.hasCallbacks || flavor.callbacks.import_cb == nullptr) {
        outcome.result = A_Err_GENERIC;
        return outcome;
    }
    int options = 0;
    int folder = 0;
    {
        auto guard = host.lock();
        options = host.beginImport();
        folder = host.model().rootFolder();
    }
    // The module is called without the host's lock held, to import into the root folder.
    outcome.result = flavor.callbacks.import_cb(path.c_str(), toHandle<AE_FIM_ImportOptions>(options),
                                                AE_FIM_SpecialAction_NONE, toHandle<AEGP_ItemH>(folder),
                                                flavor.callbacks.refcon);
    auto guard = host.lock();
    outcome.item = host.importedItem(options);
    return outcome;
}

}  // namespace simhost
