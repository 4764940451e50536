// "AEGP Proj Suite" 2: the one open project and its root folder.
#include "sim/host/host_call.h"
#include "sim/host/suite_catalog.h"

namespace simhost {

namespace {

A_Err AEGP_API GetNumProjects(A_long* countP) {
    return hostCall("AEGP_GetNumProjects", [&](SimHost& host) -> A_Err {
        if (countP == nullptr) return A_Err_PARAMETER;
        *countP = host.model().projectOpen() ? 1 : 0;
        return A_Err_NONE;
    });
}

A_Err AEGP_API GetProjectByIndex(A_long index, AEGP_ProjectH* projectP) {
    return hostCall("AEGP_GetProjectByIndex", [&](SimHost& host) -> A_Err {
        if (projectP == nullptr || index != 0 || !host.model().projectOpen()) return A_Err_PARAMETER;
        *projectP = toHandle<AEGP_ProjectH>(host.model().projectId());
        return A_Err_NONE;
    });
}

A_Err AEGP_API GetProjectRootFolder(AEGP_ProjectH project, AEGP_ItemH* folderP) {
    return hostCall("AEGP_GetProjectRootFolder", [&](SimHost& host) -> A_Err {
        if (folderP == nullptr || !host.model().projectOpen() ||
            fromHandle(project) != host.model().projectId())
            return A_Err_PARAMETER;
        *folderP = toHandle<AEGP_ItemH>(host.model().rootFolder());
        return A_Err_NONE;
    });
}

const AEGP_ProjSuite1 kProjSuite1 = {GetNumProjects, GetProjectByIndex, nullptr, nullptr,
                                     GetProjectRootFolder};

}  // namespace

void offerProjSuite(SuiteBookkeeping& suites) {
    suites.offer(kAEGPProjSuite, kAEGPProjSuiteVersion1, &kProjSuite1);
}

}  // namespace simhost
