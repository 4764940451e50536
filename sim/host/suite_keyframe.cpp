// "AEGP Keyframe Suite" 1 and 2: keyframes one at a time, and (2) in batches committed at once.
#include "sim/host/animated_streams.h"
#include "sim/host/host_call.h"
#include "sim/host/host_time.h"
#include "sim/host/object_handles.h"
#include "sim/host/suite_catalog.h"

namespace simhost {

namespace {

// The stream behind a reference, with the layer time a keyframe time means for it.
struct ResolvedStream {
    StreamTarget target;
    Stream* stream = nullptr;
};

ResolvedStream resolve(SimHost& host, int streamRef) {
    const StreamTarget* target = host.references().stream(streamRef);
    if (target == nullptr) return {};
    return {*target, streamOf(host.model(), *target, false)};
}

// False for a time the host cannot take.
bool layerTime(HostModel& model, const StreamTarget& target, AEGP_LTimeMode mode, const A_Time* time,
               A_Time& result) {
    const Layer* layer = model.layer(target.layer);
    if (time == nullptr || time->scale == 0 || layer == nullptr) return false;
    if (mode == AEGP_LTimeMode_LayerTime) {
        result = *time;
        return true;
    }
    if (mode != AEGP_LTimeMode_CompTime) return false;
    result = subtractTimes(*time, layer->offset);
    return true;
}

std::vector<double> valueOf(const Stream& stream, const AEGP_StreamValue& value) {
    if (stream.dimensions == 1) return {value.val.one_d};
    return {value.val.two_d.x, value.val.two_d.y};
}

A_Err AEGP_API GetStreamNumKFs(AEGP_StreamRefH streamRef, A_long* countP) {
    return hostCall("AEGP_GetStreamNumKFs", [&](SimHost& host) -> A_Err {
        const ResolvedStream found = resolve(host, fromHandle(streamRef));
        if (found.stream == nullptr || countP == nullptr) return A_Err_PARAMETER;
        *countP = static_cast<A_long>(found.stream->keys.size());
        return A_Err_NONE;
    });
}

A_Err AEGP_API GetKeyframeTime(AEGP_StreamRefH streamRef, AEGP_KeyframeIndex index, AEGP_LTimeMode mode,
                               A_Time* timeP) {
    return hostCall("AEGP_GetKeyframeTime", [&](SimHost& host) -> A_Err {
        const ResolvedStream found = resolve(host, fromHandle(streamRef));
        const Layer* layer = host.model().layer(found.target.layer);
        if (found.stream == nullptr || layer == nullptr || timeP == nullptr || index < 0 ||
            index >= static_cast<A_long>(found.stream->keys.size()) ||
            (mode != AEGP_LTimeMode_LayerTime && mode != AEGP_LTimeMode_CompTime))
            return A_Err_PARAMETER;
        const A_Time at = found.stream->keys[static_cast<std::size_t>(index)].time;
        *timeP = mode == AEGP_LTimeMode_CompTime ? addTimes(at, layer->offset) : at;
        return A_Err_NONE;
    });
}

A_Err AEGP_API DeleteKeyframe(AEGP_StreamRefH streamRef, AEGP_KeyframeIndex index) {
    return hostCall("AEGP_DeleteKeyframe", [&](SimHost& host) -> A_Err {
        const ResolvedStream found = resolve(host, fromHandle(streamRef));
        if (found.stream == nullptr || index < 0 || index >= static_cast<A_long>(found.stream->keys.size()))
            return A_Err_PARAMETER;
        found.stream->keys.erase(found.stream->keys.begin() + index);
        host.references().recordChange(host.model(), found.stream->id, 0, 1);
        return A_Err_NONE;
    });
}

A_Err AEGP_API InsertKeyframe(AEGP_StreamRefH streamRef, AEGP_LTimeMode mode, const A_Time* time,
                              AEGP_KeyframeIndex* indexP) {
    return hostCall("AEGP_InsertKeyframe", [&](SimHost& host) -> A_Err {
        const ResolvedStream found = resolve(host, fromHandle(streamRef));
        A_Time at{};
        if (found.stream == nullptr || indexP == nullptr ||
            !layerTime(host.model(), found.target, mode, time, at))
            return A_Err_PARAMETER;
        *indexP = insertKeyframe(*found.stream, at, valueAt(host.model(), found.target, at));
        host.references().recordChange(host.model(), found.stream->id, 1);
        return A_Err_NONE;
    });
}

A_Err AEGP_API SetKeyframeValue(AEGP_StreamRefH streamRef, AEGP_KeyframeIndex index,
                                const AEGP_StreamValue* value) {
    return hostCall("AEGP_SetKeyframeValue", [&](SimHost& host) -> A_Err {
        const ResolvedStream found = resolve(host, fromHandle(streamRef));
        if (found.stream == nullptr || value == nullptr || value->streamH != streamRef || index < 0 ||
            index >= static_cast<A_long>(found.stream->keys.size()))
            return A_Err_PARAMETER;
        found.stream->keys[static_cast<std::size_t>(index)].value = valueOf(*found.stream, *value);
        return A_Err_NONE;
    });
}

A_Err AEGP_API StartAddKeyframes(AEGP_StreamRefH streamRef, AEGP_AddKeyframesInfoH* batchP) {
    return hostCall("AEGP_StartAddKeyframes", [&](SimHost& host) -> A_Err {
        if (batchP == nullptr || resolve(host, fromHandle(streamRef)).stream == nullptr)
            return A_Err_PARAMETER;
        const int id = host.model().nextId();
        host.references().addBatch(id, fromHandle(streamRef));
        *batchP = toHandle<AEGP_AddKeyframesInfoH>(id);
        return A_Err_NONE;
    });
}

// A batch belongs to its stream reference: once that is disposed, the batch can only be dropped.
A_Err AEGP_API AddKeyframes(AEGP_AddKeyframesInfoH batchH, AEGP_LTimeMode mode, const A_Time* time,
                            A_long* indexP) {
    return hostCall("AEGP_AddKeyframes", [&](SimHost& host) -> A_Err {
        KeyframeBatch* batch = host.references().batch(fromHandle(batchH));
        if (batch == nullptr || indexP == nullptr) return A_Err_PARAMETER;
        const ResolvedStream found = resolve(host, batch->streamRef);
        KeyframeBatch::Pending key;
        if (found.stream == nullptr || !layerTime(host.model(), found.target, mode, time, key.time))
            return A_Err_PARAMETER;
        batch->keys.push_back(key);
        *indexP = static_cast<A_long>(batch->keys.size() - 1);
        return A_Err_NONE;
    });
}

A_Err AEGP_API SetAddKeyframe(AEGP_AddKeyframesInfoH batchH, A_long index, const AEGP_StreamValue* value) {
    return hostCall("AEGP_SetAddKeyframe", [&](SimHost& host) -> A_Err {
        KeyframeBatch* batch = host.references().batch(fromHandle(batchH));
        if (batch == nullptr || value == nullptr || fromHandle(value->streamH) != batch->streamRef ||
            index < 0 || index >= static_cast<A_long>(batch->keys.size()))
            return A_Err_PARAMETER;
        const ResolvedStream found = resolve(host, batch->streamRef);
        if (found.stream == nullptr) return A_Err_PARAMETER;
        KeyframeBatch::Pending& key = batch->keys[static_cast<std::size_t>(index)];
        key.value = valueOf(*found.stream, *value);
        key.valueSet = true;
        return A_Err_NONE;
    });
}

// The batch is gone whatever the result, also when the host refuses the call.
A_Err AEGP_API EndAddKeyframes(A_Boolean add, AEGP_AddKeyframesInfoH batchH) {
    const detail::HostCallMark mark;
    SimHost* host = SimHost::current();
    if (host == nullptr) return A_Err_GENERIC;
    try {
        auto guard = host->lock();
        HostReferences& references = host->references();
        const int id = fromHandle(batchH);
        const KeyframeBatch* batch = references.batch(id);
        const KeyframeBatch taken = batch != nullptr ? *batch : KeyframeBatch{};
        const bool known = references.endBatch(id);
        if (const A_Err injected = host->faults().onCall("AEGP_EndAddKeyframes")) return injected;
        if (!known) return A_Err_PARAMETER;
        if (!add) return A_Err_NONE;
        const ResolvedStream found = resolve(*host, taken.streamRef);
        if (found.stream == nullptr) return A_Err_PARAMETER;
        for (const KeyframeBatch::Pending& key : taken.keys) {
            const std::vector<double> there = valueAt(host->model(), found.target, key.time);
            const int index = insertKeyframe(*found.stream, key.time, there);
            if (key.valueSet) found.stream->keys[static_cast<std::size_t>(index)].value = key.value;
        }
        references.recordChange(host->model(), found.stream->id, static_cast<int>(taken.keys.size()));
        return A_Err_NONE;
    } catch (...) {
        return A_Err_GENERIC;
    }
}

AEGP_KeyframeSuite1 makeKeyframeSuite1() {
    AEGP_KeyframeSuite1 suite{};
    suite.AEGP_GetStreamNumKFs = GetStreamNumKFs;
    suite.AEGP_GetKeyframeTime = GetKeyframeTime;
    suite.AEGP_DeleteKeyframe = DeleteKeyframe;
    suite.AEGP_InsertKeyframe = InsertKeyframe;
    suite.AEGP_SetKeyframeValue = SetKeyframeValue;
    return suite;
}

AEGP_KeyframeSuite2 makeKeyframeSuite2() {
    AEGP_KeyframeSuite2 suite{};
    suite.AEGP_GetStreamNumKFs = GetStreamNumKFs;
    suite.AEGP_GetKeyframeTime = GetKeyframeTime;
    suite.AEGP_DeleteKeyframe = DeleteKeyframe;
    suite.AEGP_InsertKeyframe = InsertKeyframe;
    suite.AEGP_SetKeyframeValue = SetKeyframeValue;
    suite.AEGP_StartAddKeyframes = StartAddKeyframes;
    suite.AEGP_AddKeyframes = AddKeyframes;
    suite.AEGP_SetAddKeyframe = SetAddKeyframe;
    suite.AEGP_EndAddKeyframes = EndAddKeyframes;
    return suite;
}

const AEGP_KeyframeSuite1 kKeyframeSuite1 = makeKeyframeSuite1();
const AEGP_KeyframeSuite2 kKeyframeSuite2 = makeKeyframeSuite2();

}  // namespace

void offerKeyframeSuite(SuiteBookkeeping& suites) {
    suites.offer(kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion1, &kKeyframeSuite1);
    suites.offer(kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion2, &kKeyframeSuite2);
}

}  // namespace simhost
