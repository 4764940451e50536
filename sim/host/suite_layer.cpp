// "AEGP Layer Suite" 7: adding layers, their source, composition, type and times.
#include "sim/host/host_call.h"
#include "sim/host/object_handles.h"
#include "sim/host/suite_catalog.h"

namespace simhost {

namespace {

bool validTime(const A_Time* time) {
    return time != nullptr && time->scale != 0;
}

A_Err AEGP_API GetActiveLayer(AEGP_LayerH* layerP) {
    return hostCall("AEGP_GetActiveLayer", [&](SimHost& host) -> A_Err {
        if (layerP == nullptr) return A_Err_PARAMETER;
        const int active = host.model().activeLayer;
        *layerP = host.model().layer(active) != nullptr ? toHandle<AEGP_LayerH>(active) : nullptr;
        return A_Err_NONE;
    });
}

A_Err AEGP_API GetLayerSourceItem(AEGP_LayerH layer, AEGP_ItemH* itemP) {
    return hostCall("AEGP_GetLayerSourceItem", [&](SimHost& host) -> A_Err {
        const Layer* found = layerOf(host.model(), layer);
        if (found == nullptr || itemP == nullptr) return A_Err_PARAMETER;
        *itemP = found->source != 0 ? toHandle<AEGP_ItemH>(found->source) : nullptr;
        return A_Err_NONE;
    });
}

A_Err AEGP_API GetLayerParentComp(AEGP_LayerH layer, AEGP_CompH* compP) {
    return hostCall("AEGP_GetLayerParentComp", [&](SimHost& host) -> A_Err {
        const Layer* found = layerOf(host.model(), layer);
        if (found == nullptr || compP == nullptr) return A_Err_PARAMETER;
        *compP = compHandle(found->comp);
        return A_Err_NONE;
    });
}

// Layer time counts from the layer's start (its offset in the composition).
A_Err AEGP_API GetLayerInPoint(AEGP_LayerH layer, AEGP_LTimeMode mode, A_Time* inPointP) {
    return hostCall("AEGP_GetLayerInPoint", [&](SimHost& host) -> A_Err {
        const Layer* found = layerOf(host.model(), layer);
        if (found == nullptr || inPointP == nullptr) return A_Err_PARAMETER;
        *inPointP =
            mode == AEGP_LTimeMode_CompTime ? addTimes(found->offset, found->inPoint) : found->inPoint;
        return A_Err_NONE;
    });
}

A_Err AEGP_API GetLayerDuration(AEGP_LayerH layer, AEGP_LTimeMode, A_Time* durationP) {
    return hostCall("AEGP_GetLayerDuration", [&](SimHost& host) -> A_Err {
        const Layer* found = layerOf(host.model(), layer);
        if (found == nullptr || durationP == nullptr) return A_Err_PARAMETER;
        *durationP = found->duration;
        return A_Err_NONE;
    });
}

A_Err AEGP_API SetLayerInPointAndDuration(AEGP_LayerH layer, AEGP_LTimeMode mode, const A_Time* inPoint,
                                          const A_Time* duration) {
    return hostCall("AEGP_SetLayerInPointAndDuration", [&](SimHost& host) -> A_Err {
        Layer* found = layerOf(host.model(), layer);
        if (found == nullptr || !validTime(inPoint) || !validTime(duration) || duration->value < 0)
            return A_Err_PARAMETER;
        A_Time start = reducedTime(inPoint->value, inPoint->scale);
        if (mode == AEGP_LTimeMode_CompTime)
            start = addTimes(start, {-found->offset.value, found->offset.scale});
        found->inPoint = start;
        found->duration = reducedTime(duration->value, duration->scale);
        return A_Err_NONE;
    });
}

A_Err AEGP_API SetLayerOffset(AEGP_LayerH layer, const A_Time* offset) {
    return hostCall("AEGP_SetLayerOffset", [&](SimHost& host) -> A_Err {
        Layer* found = layerOf(host.model(), layer);
        if (found == nullptr || !validTime(offset)) return A_Err_PARAMETER;
        found->offset = reducedTime(offset->value, offset->scale);
        return A_Err_NONE;
    });
}

A_Err AEGP_API AddLayer(AEGP_ItemH item, AEGP_CompH comp, AEGP_LayerH* layerP) {
    return hostCall("AEGP_AddLayer", [&](SimHost& host) -> A_Err {
        HostModel& model = host.model();
        const Item* source = itemOf(model, item);
        const Item* target = compOf(model, comp);
        if (source == nullptr || target == nullptr || layerP == nullptr || source->id == target->id ||
            (source->type != AEGP_ItemType_FOOTAGE && source->type != AEGP_ItemType_COMP))
            return A_Err_PARAMETER;
        const int id = model.addLayer(target->id, source->id, AEGP_ObjectType_AV);
        model.layer(id)->duration = sourceDuration(*source, *target);
        *layerP = toHandle<AEGP_LayerH>(id);
        return A_Err_NONE;
    });
}

A_Err AEGP_API GetLayerObjectType(AEGP_LayerH layer, AEGP_ObjectType* typeP) {
    return hostCall("AEGP_GetLayerObjectType", [&](SimHost& host) -> A_Err {
        const Layer* found = layerOf(host.model(), layer);
        if (found == nullptr || typeP == nullptr) return A_Err_PARAMETER;
        *typeP = found->type;
        return A_Err_NONE;
    });
}

AEGP_LayerSuite2 makeLayerSuite2() {
    AEGP_LayerSuite2 suite{};
    suite.AEGP_GetActiveLayer = GetActiveLayer;
    suite.AEGP_GetLayerSourceItem = GetLayerSourceItem;
    suite.AEGP_GetLayerParentComp = GetLayerParentComp;
    suite.AEGP_GetLayerInPoint = GetLayerInPoint;
    suite.AEGP_GetLayerDuration = GetLayerDuration;
    suite.AEGP_SetLayerInPointAndDuration = SetLayerInPointAndDuration;
    suite.AEGP_SetLayerOffset = SetLayerOffset;
    suite.AEGP_AddLayer = AddLayer;
    suite.AEGP_GetLayerObjectType = GetLayerObjectType;
    return suite;
}

const AEGP_LayerSuite2 kLayerSuite2 = makeLayerSuite2();

}  // namespace

void offerLayerSuite(SuiteBookkeeping& suites) {
    suites.offer(kAEGPLayerSuite, kAEGPLayerSuiteVersion2, &kLayerSuite2);
}

}  // namespace simhost
