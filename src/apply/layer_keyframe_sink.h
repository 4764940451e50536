#pragma once

#include <cstdint>
#include <optional>

#include "aegp_suites.h"
#include "apply/existing_keys.h"
#include "apply/frame_rate.h"
#include "host/suite_scope.h"
#include "tracking/keyframe_sink.h"

// Writes an export model's keyframes onto one layer of the host. With "AEGP Keyframe Suite" 2 it
// adds each stream's keyframes in one batch, all inside the undo group "Apply Transform to Layer"
// (opened before the first change, so that an application that changes nothing leaves no step to
// undo); without it, it inserts them one at a time and opens no undo group. Frame f is keyed at
// the exact composition time of frame f at the composition's rate.
class LayerKeyframeSink : public KeyframeSink {
public:
    // Reads the layer's in-point, duration (in composition time) and source size; the frames
    // written are the composition frames where the layer shows, clipped to the record's frames
    // [first, first + count).
    LayerKeyframeSink(AEGP_LayerH layer, double frameRate, std::int32_t first, std::int32_t count);
    // Ends what finish() would, without reporting failures.
    ~LayerKeyframeSink() override;

    // The keyframes already in the frame range on what the model writes; reads only.
    ExistingKeys findExisting(const ModelTargets& targets);
    // Deletes what findExisting found (inside the undo group), and keeps the layer's last effect
    // found there for the model's next applyEffect of that name instead of adding another.
    void replaceExisting(const ModelTargets& targets, const ExistingKeys& existing);

    void selectLayerStream(LayerStream stream) override;
    void applyEffect(const std::string& name) override;
    void selectEffectStream(std::int32_t index) override;
    void addPointKey(std::int32_t frame, double x, double y) override;
    void addScalarKey(std::int32_t frame, double value) override;

    // Commits the open batch, disposes the stream and the effect, gives the suites back and ends
    // the undo group (asking twice when the host refuses once), in that order; every step is
    // taken even when an earlier one fails, then the first failure is raised.
    void finish();

    bool bulk() const { return bulk_; }
    // The composition frames where the layer shows, end exclusive.
    std::int32_t shownFirst() const { return shownFirst_; }
    std::int32_t shownEnd() const { return shownEnd_; }
    FrameRate rate() const { return rate_; }

    static const char kUndoGroupName[];

private:
    // Commits the open batch and disposes the current stream, ready for the next target.
    void closeTarget();
    // Each forgets its object before asking the host, so that a refusal is never asked again.
    void endBatch();
    void disposeStream();
    void disposeEffect();
    void endUndoGroup();
    void startUndoGroup();
    void disposeReused();
    KeyRange keyRange() const;
    void openTarget(AEGP_StreamRefH stream);
    void addKey(std::int32_t frame, const AEGP_StreamVal& value);

    AEGP_LayerH layer_;
    FrameRate rate_;
    std::int32_t shownFirst_ = 0;
    std::int32_t shownEnd_ = 0;
    std::optional<SuiteScope<AEGP_StreamSuite1>> streams_;
    std::optional<SuiteScope<AEGP_KeyframeSuite2>> keyframes2_;
    std::optional<SuiteScope<AEGP_KeyframeSuite1>> keyframes1_;
    std::optional<SuiteScope<AEGP_EffectSuite1>> effects_;
    std::optional<SuiteScope<AEGP_UtilitySuite1>> utility_;
    AEGP_StreamRefH stream_ = nullptr;
    AEGP_AddKeyframesInfoH batch_ = nullptr;
    AEGP_EffectRefH effect_ = nullptr;
    // The layer's own effect to key instead of applying one of this name.
    AEGP_EffectRefH reused_ = nullptr;
    std::string reusedName_;
    bool bulk_ = false;
    bool undoGroupOpen_ = false;
    bool finished_ = false;
};
