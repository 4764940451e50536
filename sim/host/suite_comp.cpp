// "AEGP Comp Suite" 6: making compositions and asking about them.
#include "sim/host/host_call.h"
#include "sim/host/object_handles.h"
#include "sim/host/suite_catalog.h"

namespace simhost {

namespace {

A_Err AEGP_API GetItemFromComp(AEGP_CompH comp, AEGP_ItemH* itemP) {
    return hostCall("AEGP_GetItemFromComp", [&](SimHost& host) -> A_Err {
        const Item* found = compOf(host.model(), comp);
        if (found == nullptr || itemP == nullptr) return A_Err_PARAMETER;
        *itemP = toHandle<AEGP_ItemH>(found->id);
        return A_Err_NONE;
    });
}

A_Err AEGP_API GetCompFramerate(AEGP_CompH comp, A_FpLong* fpsP) {
    return hostCall("AEGP_GetCompFramerate", [&](SimHost& host) -> A_Err {
        const Item* found = compOf(host.model(), comp);
        if (found == nullptr || fpsP == nullptr) return A_Err_PARAMETER;
        *fpsP = found->comp.fps;
        return A_Err_NONE;
    });
}

// The host refuses what it could never show: no size, no duration, no frame rate.
A_Err AEGP_API CreateComp(AEGP_ItemH parentFolder, const A_char* name, A_long width, A_long height,
                          const A_Ratio* pixelAspect, const A_Time* duration, const A_Ratio* framerate,
                          AEGP_CompH* compP) {
    return hostCall("AEGP_CreateComp", [&](SimHost& host) -> A_Err {
        const Item* folder = itemOf(host.model(), parentFolder);
        if (folder == nullptr || folder->type != AEGP_ItemType_FOLDER || name == nullptr ||
            pixelAspect == nullptr || duration == nullptr || framerate == nullptr || compP == nullptr)
            return A_Err_PARAMETER;
        if (width <= 0 || height <= 0 || pixelAspect->num <= 0 || pixelAspect->den == 0 ||
            duration->value <= 0 || duration->scale == 0 || framerate->num <= 0 || framerate->den == 0)
            return A_Err_PARAMETER;
        const double fps = static_cast<double>(framerate->num) / framerate->den;
        const int id = host.model().addComp(name, width, height, fps, *duration, folder->id);
        host.model().item(id)->comp.pixelAspect = *pixelAspect;
        *compP = compHandle(id);
        return A_Err_NONE;
    });
}

AEGP_CompSuite2 makeCompSuite2() {
    AEGP_CompSuite2 suite{};
    suite.AEGP_GetItemFromComp = GetItemFromComp;
    suite.AEGP_GetCompFramerate = GetCompFramerate;
    suite.AEGP_CreateComp = CreateComp;
    return suite;
}

const AEGP_CompSuite2 kCompSuite2 = makeCompSuite2();

}  // namespace

void offerCompSuite(SuiteBookkeeping& suites) {
    suites.offer(kAEGPCompSuite, kAEGPCompSuiteVersion2, &kCompSuite2);
}

}  // namespace simhost
