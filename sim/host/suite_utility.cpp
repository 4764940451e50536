// "AEGP Utility Suite" 3: messages to the user, undo groups, the main window.
#include "sim/host/host_call.h"
#include "sim/host/suite_catalog.h"

namespace simhost {

namespace {

A_Err AEGP_API ReportInfo(AEGP_PluginID, const A_char* text) {
    return hostCall("AEGP_ReportInfo", [&](SimHost& host) -> A_Err {
        if (text == nullptr) return A_Err_PARAMETER;
        host.reports().push_back(text);
        return A_Err_NONE;
    });
}

A_Err AEGP_API StartUndoGroup(const A_char* name) {
    return hostCall("AEGP_StartUndoGroup", [&](SimHost& host) -> A_Err {
        if (name == nullptr) return A_Err_PARAMETER;
        auto& groups = host.model().undoGroups();
        if (host.model().openUndoGroups() == 0) host.undoHistory().opening(host.model(), groups.size());
        groups.push_back({name, true, false});
        return A_Err_NONE;
    });
}

A_Err AEGP_API EndUndoGroup() {
    return hostCall("AEGP_EndUndoGroup", [&](SimHost& host) -> A_Err {
        auto& groups = host.model().undoGroups();
        for (auto it = groups.rbegin(); it != groups.rend(); ++it) {
            if (it->open) {
                it->open = false;
                return A_Err_NONE;
            }
        }
        return A_Err_GENERIC;
    });
}

A_Err AEGP_API GetMainHWND(void* windowP) {
    return hostCall("AEGP_GetMainHWND", [&](SimHost& host) -> A_Err {
        if (windowP == nullptr) return A_Err_PARAMETER;
        *static_cast<void**>(windowP) = host.mainWindow();
        return A_Err_NONE;
    });
}

const AEGP_UtilitySuite1 kUtilitySuite1 = {
    ReportInfo, nullptr, nullptr, nullptr, nullptr, StartUndoGroup, EndUndoGroup, nullptr, GetMainHWND,
};

}  // namespace

void offerUtilitySuite(SuiteBookkeeping& suites) {
    suites.offer(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion1, &kUtilitySuite1);
}

}  // namespace simhost
