#include "apply/layer_keyframe_sink.h"

#include <algorithm>
#include <exception>

#include "host/check_host.h"
#include "host/host_context.h"
#include "host/installed_effect.h"

const char LayerKeyframeSink::kUndoGroupName[] = "Apply Transform to Layer";

namespace {

// Runs the steps of a teardown in order; the first failure is raised after the last step.
class Teardown {
public:
    template <class Step>
    void step(Step&& run) noexcept {
        try {
            run();
        } catch (...) {
            if (!first_) first_ = std::current_exception();
        }
    }
    void raise() const {
        if (first_) std::rethrow_exception(first_);
    }

private:
    std::exception_ptr first_;
};

}  // namespace

LayerKeyframeSink::LayerKeyframeSink(AEGP_LayerH layer, double frameRate, std::int32_t first,
                                     std::int32_t count)
    : layer_(layer), rate_(frameRateOf(frameRate)) {
    const SPBasicSuite* basic = hostContext().basicSuite;
    streams_.emplace(basic);
    try {
        keyframes2_.emplace(basic);
        bulk_ = true;
    } catch (int) {
        // The host offers no batches: one keyframe at a time.
        keyframes1_.emplace(basic);
    }
    effects_.emplace(basic);
    {
        SuiteScope<AEGP_LayerSuite2> layers(basic);
        A_Time inPoint{0, 1};
        A_Time duration{0, 1};
        // Keys are placed in composition time, so the span is read in composition time too: a
        // layer moved or trimmed in time gets keys on exactly the frames where it shows.
        CheckHost(layers->AEGP_GetLayerInPoint(layer, AEGP_LTimeMode_CompTime, &inPoint),
                  "getting layer's in-point");
        CheckHost(layers->AEGP_GetLayerDuration(layer, AEGP_LTimeMode_CompTime, &duration),
                  "getting layer's duration");
        const std::int64_t recordEnd = static_cast<std::int64_t>(first) + std::max<std::int32_t>(count, 0);
        shownFirst_ = firstFrameAt(inPoint, rate_);
        shownEnd_ = firstFrameAt(duration, inPoint, rate_);
        firstFrame_ = std::max(shownFirst_, first);
        endFrame_ = static_cast<std::int32_t>(std::min<std::int64_t>(shownEnd_, recordEnd));
        AEGP_ItemH source = nullptr;
        CheckHost(layers->AEGP_GetLayerSourceItem(layer, &source), "getting layer's source item");
        SuiteScope<AEGP_ItemSuite2> items(basic);
        A_long width = 0;
        A_long height = 0;
        CheckHost(items->AEGP_GetItemDimensions(source, &width, &height), "getting item's dimensions");
        width_ = width;
        height_ = height;
    }
    if (bulk()) utility_.emplace(basic);
}

void LayerKeyframeSink::startUndoGroup() {
    if (!bulk() || undoGroupOpen_ || finished_) return;
    CheckHost((*utility_)->AEGP_StartUndoGroup(kUndoGroupName), "starting undo group");
    undoGroupOpen_ = true;
}

KeyRange LayerKeyframeSink::keyRange() const {
    const KeyframeCalls calls = bulk() ? KeyframeCalls::of(**keyframes2_) : KeyframeCalls::of(**keyframes1_);
    return {**streams_, calls, **effects_, layer_, rate_, firstFrame_, endFrame_};
}

ExistingKeys LayerKeyframeSink::findExisting(const ModelTargets& targets) {
    return findExistingKeys(keyRange(), targets);
}

void LayerKeyframeSink::replaceExisting(const ModelTargets& targets, const ExistingKeys& existing) {
    startUndoGroup();
    disposeReused();
    reused_ = deleteExistingKeys(keyRange(), targets, existing);
    if (reused_ != nullptr && targets.effect != nullptr) reusedName_ = targets.effect;
}

LayerKeyframeSink::~LayerKeyframeSink() {
    try {
        finish();
    } catch (...) {
    }
}

void LayerKeyframeSink::endBatch() {
    if (batch_ == nullptr) return;
    // The batch is gone whatever the host answers.
    const AEGP_AddKeyframesInfoH batch = batch_;
    batch_ = nullptr;
    CheckHost((*keyframes2_)->AEGP_EndAddKeyframes(1, batch), "ending bulk keyframe addition");
}

void LayerKeyframeSink::disposeStream() {
    if (stream_ == nullptr) return;
    const AEGP_StreamRefH stream = stream_;
    stream_ = nullptr;
    CheckHost((*streams_)->AEGP_DisposeStream(stream), "disposing stream");
}

void LayerKeyframeSink::disposeEffect() {
    if (effect_ == nullptr) return;
    const AEGP_EffectRefH effect = effect_;
    effect_ = nullptr;
    CheckHost((*effects_)->AEGP_DisposeEffect(effect), "disposing effect");
}

void LayerKeyframeSink::disposeReused() {
    if (reused_ == nullptr) return;
    const AEGP_EffectRefH effect = reused_;
    reused_ = nullptr;
    CheckHost((*effects_)->AEGP_DisposeEffect(effect), "disposing effect");
}

void LayerKeyframeSink::endUndoGroup() {
    if (!undoGroupOpen_) return;
    undoGroupOpen_ = false;
    const A_Err refused = (*utility_)->AEGP_EndUndoGroup();
    if (refused == A_Err_NONE) return;
    // Left open, the group would take in every later change of the user: the host is asked once
    // more, and the first refusal is still reported.
    (*utility_)->AEGP_EndUndoGroup();
    CheckHost(refused, "ending undo group");
}

void LayerKeyframeSink::closeTarget() {
    // A refused commit leaves the stream to be disposed by finish().
    endBatch();
    disposeStream();
}

void LayerKeyframeSink::openTarget(AEGP_StreamRefH stream) {
    stream_ = stream;
    if (bulk())
        CheckHost((*keyframes2_)->AEGP_StartAddKeyframes(stream_, &batch_),
                  "starting bulk keyframe addition");
}

void LayerKeyframeSink::selectLayerStream(LayerStream which) {
    startUndoGroup();
    closeTarget();
    AEGP_StreamRefH stream = nullptr;
    CheckHost((*streams_)->AEGP_GetNewLayerStream(hostContext().pluginId, layer_,
                                                  static_cast<AEGP_LayerStream>(which), &stream),
              "getting new layer's stream");
    openTarget(stream);
}

void LayerKeyframeSink::selectEffectStream(std::int32_t index) {
    startUndoGroup();
    closeTarget();
    AEGP_StreamRefH stream = nullptr;
    CheckHost((*streams_)->AEGP_GetNewEffectStreamByIndex(hostContext().pluginId, effect_, index, &stream),
              "getting new effect's stream by index");
    openTarget(stream);
}

void LayerKeyframeSink::applyEffect(const std::string& name) {
    startUndoGroup();
    disposeEffect();
    if (reused_ != nullptr && name == reusedName_) {
        effect_ = reused_;
        reused_ = nullptr;
        return;
    }
    // A missing effect gives key 0, which the host refuses.
    const AEGP_InstalledEffectKey key = FindInstalledEffect(**effects_, name.c_str());
    CheckHost((*effects_)->AEGP_ApplyEffect(hostContext().pluginId, layer_, key, &effect_),
              "applying effect");
}

void LayerKeyframeSink::addKey(std::int32_t frame, const AEGP_StreamVal& val) {
    const A_Time time = frameTime(frame, rate_);
    AEGP_StreamValue value{};
    value.streamH = stream_;
    value.val = val;
    if (bulk()) {
        A_long index = 0;
        CheckHost((*keyframes2_)->AEGP_AddKeyframes(batch_, AEGP_LTimeMode_CompTime, &time, &index),
                  "adding keyframe (bulk)");
        CheckHost((*keyframes2_)->AEGP_SetAddKeyframe(batch_, index, &value),
                  "setting keyframe value (bulk)");
    } else {
        AEGP_KeyframeIndex index = 0;
        CheckHost((*keyframes1_)->AEGP_InsertKeyframe(stream_, AEGP_LTimeMode_CompTime, &time, &index),
                  "inserting keyframe");
        CheckHost((*keyframes1_)->AEGP_SetKeyframeValue(stream_, index, &value), "setting keyframe value");
    }
}

void LayerKeyframeSink::addPointKey(std::int32_t frame, double x, double y) {
    AEGP_StreamVal value{};
    value.two_d = {x, y};
    addKey(frame, value);
}

void LayerKeyframeSink::addScalarKey(std::int32_t frame, double v) {
    AEGP_StreamVal value{};
    value.one_d = v;
    addKey(frame, value);
}

void LayerKeyframeSink::finish() {
    if (finished_) return;
    finished_ = true;
    // The last batch is committed, and what was taken given back, before the undo group ends:
    // one undo then takes back every keyframe written.
    Teardown teardown;
    teardown.step([&] { endBatch(); });
    teardown.step([&] { disposeStream(); });
    teardown.step([&] { disposeEffect(); });
    teardown.step([&] { disposeReused(); });
    keyframes2_.reset();
    keyframes1_.reset();
    streams_.reset();
    effects_.reset();
    teardown.step([&] { endUndoGroup(); });
    utility_.reset();
    teardown.raise();
}
