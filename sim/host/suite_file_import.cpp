// "AEGP File Import Manager Suite" 2: import flavors and the item an import produced.
#include "sim/host/host_call.h"
#include "sim/host/suite_catalog.h"

namespace simhost {

namespace {

A_Err AEGP_API RegisterImportFlavor(const A_char* name, AE_FIM_ImportFlavorRef* flavorP) {
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

A_Err AEGP_API RegisterImportFlavorFileTypes(AE_FIM_ImportFlavorRef id, A_long typeCount,
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

A_Err AEGP_API RegisterImportFlavorImportCallbacks(AE_FIM_ImportFlavorRef id, AE_FIM_ImportFlags flags,
                                                   const AE_FIM_ImportCallbacks* callbacks) {
    return hostCall("AEGP_RegisterImportFlavorImportCallbacks", [&](SimHost& host) -> A_Err {
        ImportFlavor* flavor = host.registrations().flavor(id);
        if (flavor == nullptr || callbacks == nullptr) return A_Err_PARAMETER;
        flavor->flags = flags;
        flavor->callbacks = *callbacks;
        flavor->hasCallbacks = true;
        return A_Err_NONE;
    });
}

A_Err AEGP_API SetImportedItem(AE_FIM_ImportOptions options, AEGP_ItemH item) {
    return hostCall("AEGP_SetImportedItem", [&](SimHost& host) -> A_Err {
        if (host.model().item(fromHandle(item)) == nullptr) return A_Err_PARAMETER;
        return host.setImportedItem(fromHandle(options), fromHandle(item)) ? A_Err_NONE : A_Err_PARAMETER;
    });
}

const AEGP_FIMSuite2 kFIMSuite2 = {
    RegisterImportFlavor,
    RegisterImportFlavorFileTypes,
    RegisterImportFlavorImportCallbacks,
    SetImportedItem,
};

}  // namespace

void offerFileImportSuite(SuiteBookkeeping& suites) {
    suites.offer(kAEGPFIMSuite, kAEGPFIMSuiteVersion2, &kFIMSuite2);
}

}  // namespace simhost
