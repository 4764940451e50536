#include <stdexcept>

#include "host/hook_guard.h"
#include "plugin/hooks.h"

A_Err AEGP_API ImportProjectFile(AEGP_ImportRefcon, const A_char*, AEGP_ImportOptionsH) {
    return HookGuard([]() -> A_Err {
        // The host then gets a failure and no item.
        throw std::runtime_error("importing Skelda projects is not available in this version");
    });
}

A_Err AEGP_API VerifyProjectFile(AEGP_ImportRefcon, const A_char*, A_Boolean* importablePB) {
    return HookGuard([importablePB]() -> A_Err {
        if (importablePB != nullptr) *importablePB = 1;
        return A_Err_NONE;
    });
}
