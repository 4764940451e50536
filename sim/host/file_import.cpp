#include "host/file_import.h"

namespace simhost {

ImportResult importWithFlavor(SimHost& host, const ImportFlavor& flavor, const std::string& path) {
    ImportResult outcome;
    if (!flavor.hasCallbacks || flavor.callbacks.import_cb == nullptr) {
        outcome.result = A_Err_GENERIC;
        return outcome;
    }
    int options = 0;
    {
        auto guard = host.lock();
        options = host.beginImport();
    }
    // The module is called without the host's lock held.
    outcome.result = flavor.callbacks.import_cb(flavor.callbacks.refcon, path.c_str(),
                                                toHandle<AEGP_ImportOptionsH>(options));
    auto guard = host.lock();
    outcome.item = host.importedItem(options);
    return outcome;
}

}  // namespace simhost
