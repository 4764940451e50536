#include <stdexcept>
#include <string>

#include "host/check_host.h"
#include "host/hook_guard.h"
#include "host/suite_scope.h"
#include "plugin/hooks.h"
#include "project/project_import.h"

A_Err AEGP_API ImportProjectFile(const A_char* file_pathZ, AE_FIM_ImportOptions imp_options,
                                 AE_FIM_SpecialAction, AEGP_ItemH, AE_FIM_Refcon) {
    return HookGuard([&]() -> A_Err {
        if (file_pathZ == nullptr) throw std::runtime_error("no Skelda project file was given");
        const Project project = loadProjectFile(file_pathZ);
        SuiteScope<AEGP_FIMSuite2> imports;
        const AEGP_ItemH item = importProject(project);
        // The host must not be told that an import succeeded without an item.
        if (item == nullptr)
            throw std::runtime_error("the Skelda project \"" + std::string(file_pathZ) +
                                     "\" has no underlay footage: nothing to import");
        CheckHost(imports->AEGP_SetImportedItem(imp_options, item), "setting imported item");
        return A_Err_NONE;
    });
}

A_Err AEGP_API VerifyProjectFile(const A_char*, AE_FIM_Refcon, A_Boolean* importablePB) {
    return HookGuard([importablePB]() -> A_Err {
        if (importablePB != nullptr) *importablePB = 1;
        return A_Err_NONE;
    });
}
