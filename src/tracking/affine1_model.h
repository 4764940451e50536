#pragma once

#include "tracking/transform_effect_model.h"

// A "Transform" effect with separate horizontal and vertical scale: rotation, then skew along an
// axis, then scale.
class Affine1Model : public TransformEffectModel {
public:
    Affine1Model();
    ~Affine1Model() override;

protected:
    void decompose(std::int32_t frame, const Transform& m) override;
    void thinScales() override;
};
