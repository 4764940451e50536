#include "plugin/import_flavor.h"

#include <cstring>

#include "host/check_host.h"
#include "host/suite_scope.h"
#include "plugin/hooks.h"

AEGP_FileType projectFileType() {
    AEGP_FileType type{};
    // The bytes 's', 'k', 'p', 0 in memory order.
    std::memcpy(&type.type, "skp", sizeof type.type);
    type.creator = 0xFFFFFFFFu;
    return type;
}

AEGP_FileExtension projectFileExtension() {
    AEGP_FileExtension extension{};
    std::memcpy(extension.extension, ".skp", 4);
    return extension;
}

void registerImportFlavor() {
    SuiteScope<AEGP_FIMSuite2> imports;
    AE_FIM_ImportFlavorRef flavor = 0;
    CheckHost(imports->AEGP_RegisterImportFlavor(kProjectFlavorName, &flavor), "registering import flavor");
    const AEGP_FileType type = projectFileType();
    const AEGP_FileExtension extension = projectFileExtension();
    CheckHost(imports->AEGP_RegisterImportFlavorFileTypes(flavor, 1, &type, 1, &extension),
              "registering import flavor file types");
    const AE_FIM_ImportCallbacks callbacks = {nullptr, ImportProjectFile, VerifyProjectFile};
    CheckHost(imports->AEGP_RegisterImportFlavorImportCallbacks(flavor, kProjectFlavorFlags, &callbacks),
              "registering import flavor import callbacks");
}
