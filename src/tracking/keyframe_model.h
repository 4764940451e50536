#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "tracking/keyframe_sink.h"
#include "tracking/transform.h"
#include "tracking/transformations.h"

// Where a model writes: the layer's own properties, and the parameters of the effect it applies
// (none when `effect` is null). Known before anything is written, so that keys already there can
// be found first.
struct ModelTargets {
    std::vector<LayerStream> layerStreams;
    const char* effect = nullptr;
    std::vector<std::int32_t> effectParameters;
};

// An export model: turns the per-frame transforms of a Transformations record into thinned
// keyframe sequences, then hands them to its sink one at a time so that the caller can show
// progress and stop between any two keyframes.
//
// Calling order: setSource, compute (sink), keyframeCount, then emitNext until it returns false.
// compute computes and checks every value before it calls the sink at all, so a record that
// cannot be converted raises an error and writes nothing.
class KeyframeModel {
public:
    virtual ~KeyframeModel();
    KeyframeModel(const KeyframeModel&) = delete;
    KeyframeModel& operator=(const KeyframeModel&) = delete;

    // The record must outlive the model.
    virtual void setSource(const Transformations& transformations);
    // Takes the sink (a sink handed before is destroyed); the base only stores it and checks that
    // the record covers the sink's frame range.
    virtual void compute(std::unique_ptr<KeyframeSink> sink);
    // How many times emitNext writes a keyframe.
    virtual std::size_t keyframeCount() const = 0;
    // Every property the model writes when it has keyframes to write.
    virtual ModelTargets targets() const = 0;
    // Writes the next keyframe; true while more remain. Writes nothing once none remain.
    virtual bool emitNext() = 0;

protected:
    // `name` names the model in error texts.
    KeyframeModel(float weight, const char* name);

    const Transformations& source() const;
    KeyframeSink& sink() const;
    // The transform M of a frame: the frame's transform after the initial one when tracking, its
    // inverse when compensating.
    Transform frameTransform(std::int32_t frame) const;
    // Raises an error naming the frame unless every value is a finite number: such values would
    // become keyframes in the user's project.
    void requireFinite(std::int32_t frame, std::initializer_list<double> values) const;
    // Frames the sink converts: [firstFrame, endFrame), empty when the range is.
    std::size_t frameCount() const;

    // What emitNext writes now. Each model passes through the stages it keys in its own order: the
    // layer models Position, Scale, Rotation, EffectSkew; the Transform effect models Position,
    // Scale (vertical), HorizontalScale, SkewAmount, SkewAxis, Rotation.
    enum class Stage { Position, Scale, HorizontalScale, SkewAmount, SkewAxis, Rotation, EffectSkew };

    Stage stage_ = Stage::Position;
    float weight_;

private:
    const char* name_;
    const Transformations* source_ = nullptr;
    std::unique_ptr<KeyframeSink> sink_;
};
