// "AEGP Item Suite" 4: the active item, selection, types and sizes of items.
#include "sim/host/host_call.h"
#include "sim/host/object_handles.h"
#include "sim/host/suite_catalog.h"

namespace simhost {

namespace {

A_Err AEGP_API GetActiveItem(AEGP_ItemH* itemP) {
    return hostCall("AEGP_GetActiveItem", [&](SimHost& host) -> A_Err {
        if (itemP == nullptr) return A_Err_PARAMETER;
        const int active = host.model().activeItem;
        *itemP = host.model().item(active) != nullptr ? toHandle<AEGP_ItemH>(active) : nullptr;
        return A_Err_NONE;
    });
}

A_Err AEGP_API SelectItem(AEGP_ItemH item, A_Boolean select, A_Boolean deselectOthers) {
    return hostCall("AEGP_SelectItem", [&](SimHost& host) -> A_Err {
        Item* target = itemOf(host.model(), item);
        if (target == nullptr) return A_Err_PARAMETER;
        if (deselectOthers) {
            for (const auto& [id, other] : host.model().items()) host.model().item(id)->selected = false;
        }
        target->selected = select != 0;
        return A_Err_NONE;
    });
}

A_Err AEGP_API GetItemType(AEGP_ItemH item, AEGP_ItemType* typeP) {
    return hostCall("AEGP_GetItemType", [&](SimHost& host) -> A_Err {
        const Item* found = itemOf(host.model(), item);
        if (found == nullptr || typeP == nullptr) return A_Err_PARAMETER;
        *typeP = found->type;
        return A_Err_NONE;
    });
}

A_Err AEGP_API GetItemDimensions(AEGP_ItemH item, A_long* widthP, A_long* heightP) {
    return hostCall("AEGP_GetItemDimensions", [&](SimHost& host) -> A_Err {
        const Item* found = itemOf(host.model(), item);
        if (found == nullptr || widthP == nullptr || heightP == nullptr) return A_Err_PARAMETER;
        *widthP = found->width;
        *heightP = found->height;
        return A_Err_NONE;
    });
}

AEGP_ItemSuite2 makeItemSuite2() {
    AEGP_ItemSuite2 suite{};
    suite.AEGP_GetActiveItem = GetActiveItem;
    suite.AEGP_SelectItem = SelectItem;
    suite.AEGP_GetItemType = GetItemType;
    suite.AEGP_GetItemDimensions = GetItemDimensions;
    return suite;
}

const AEGP_ItemSuite2 kItemSuite2 = makeItemSuite2();

}  // namespace

void offerItemSuite(SuiteBookkeeping& suites) {
    suites.offer(kAEGPItemSuite, kAEGPItemSuiteVersion2, &kItemSuite2);
}

}  // namespace simhost
