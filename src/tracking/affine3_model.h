#pragma once

#include "tracking/rigid_model.h"

// The layer's Position, a two-axis Scale and Rotation, then the skew of a "Transform" effect:
// any affine motion.
class Affine3Model : public RigidModel {
public:
    Affine3Model();
    ~Affine3Model() override;

    void compute(std::unique_ptr<KeyframeSink> sink) override;
    std::size_t keyframeCount() const override;
    ModelTargets targets() const override;
    // The Rigid stages, then the effect's skew.
    bool emitNext() override;

protected:
    bool hasScaleStage() const override;
    bool emitNextScale() override;

private:
    PointKeys scale_;  // horizontal and vertical scale
    ScalarKeys skew_;  // skew factor
    std::size_t scaleCursor_ = 0;
    std::size_t skewCursor_ = 0;
};
