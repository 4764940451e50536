#pragma once

#include "tracking/keyframe_model.h"
#include "tracking/keyframes.h"

// Keys the parameters of a "Transform" effect: position, scale, skew, skew axis and rotation.
// Affine1Model and Affine2Model say how a frame's transform decomposes into them.
class TransformEffectModel : public KeyframeModel {
public:
    ~TransformEffectModel() override;

    void compute(std::unique_ptr<KeyframeSink> sink) override;
    std::size_t keyframeCount() const override;
    ModelTargets targets() const override;
    bool emitNext() override;

protected:
    // uniformScale: one scale on the vertical-scale parameter, with no horizontal scale.
    TransformEffectModel(float weight, const char* name, bool uniformScale);

    // Appends the frame's Rotation, Vertical Scale, Horizontal Scale (without uniform scale) and Skew.
    virtual void decompose(std::int32_t frame, const Transform& m) = 0;
    // Thins Vertical Scale, and Horizontal Scale where there is one.
    virtual void thinScales() = 0;

    PointKeys position_;
    ScalarKeys rotation_;
    ScalarKeys verticalScale_;
    ScalarKeys horizontalScale_;
    SkewPairKeys skew_;

private:
    void enterStage(Stage stage);

    bool uniformScale_;
    std::size_t positionCursor_ = 0;
    std::size_t rotationCursor_ = 0;
    std::size_t verticalCursor_ = 0;
    std::size_t horizontalCursor_ = 0;
    std::size_t skewCursor_ = 0;
};
