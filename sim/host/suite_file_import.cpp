// "AEGP File Import Manager Suite" 2: import flavors and the item an import produced.
#include "host/host_call.h"
#include "host/suite_catalog.h"

namespace simhost {

namespace {

A_Err AEGP_API RegisterImportFlavor(const A_char* name, AEGP_ImportFlavorID* flavorP) {
    return hostCall("AEGP_RegisterImportFlavor", [&](SimHost& host) -> A_Err {
        if (name == nullptr || flavorP == nullptr) return A_Err_PARAMETER;
        ImportFlavor flavor;
        flavor.id = ++host.registrations().lastFlavor;
        flavor.name = name;
        host.registrations().flavors.push_back(flavor);
        *flavorP = flavor.id;
        return A_Err_NONE;
    });
}

A_Err AEGP_API RegisterImportFlavorFileTypes(AEGP_ImportFlavorID id, A_long typeCount,
                                             const AEGP_FileType* types, A_long extensionCount,
                                             const AEGP_FileExtension* extensions) {
    return hostCall("AEGP_RegisterImportFlavorFileTypes", [&](SimHost& host) -> A_Err {
        ImportFlavor* flavor = host.registrations().flavor(id);
        if (flavor == nullptr || typeCount < 0 || extensionCount < 0 || (typeCount > 0 && types == nullptr) ||
            (extensionCount > 0 && extensions == nullptr))
            return A_Err_PARAMETER;
        flavor->fileTypes.assign(types, types + typeCount);
        flavor->extensions.assign(extensions, extensions + extensionCount);
        return A_Err_NONE;
    });
}

A_Err AEGP_API RegisterImportFlavorImportCallbacks(AEGP_ImportFlavorID id, AEGP_ImportFlags flags,
                                                   const AEGP_FileImportCallbacks* callbacks) {
    return hostCall("AEGP_RegisterImportFlavorImportCallbacks", [&](SimHost& host) -> A_Err {
        ImportFlavor* flavor = host.registrations().flavor(id);
        if (flavor == nullptr || callbacks == nullptr) return A_Err_PARAMETER;
        flavor->flags = flags;
        flavor->callbacks = *callbacks;
        flavor->hasCallbacks = true;
        return A_Err_NONE;
    });
}

A_Err AEGP_API SetImportedItem(AEGP_ImportOptionsH options, AEGP_ItemH item) {
    return hostCall("AEGP_SetImportedItem", [&](SimHost& host) -> A_Err {
        if (host.model().item(fromHandle(item)) == nullptr) return A_Err_PARAMETER;
        return host.setImportedItem(fromHandle(options), fromHandle(item)) ? A_Err_NONE : A_Err_PARAMETER;
    });
}

const AEGP_FileImportManagerSuite2 kFileImportManagerSuite2 = {
    RegisterImportFlavor,
    RegisterImportFlavorFileTypes,
    RegisterImportFlavorImportCallbacks,
    SetImportedItem,
};

}  // namespace

void offerFileImportSuite(SuiteBookkeeping& suites) {
    suites.offer(kAEGPFileImportManagerSuite, kAEGPFileImportManagerSuiteVersion2, &kFileImportManagerSuite2);
}

}  // namespace simhost
