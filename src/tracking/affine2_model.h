#pragma once

#include "tracking/transform_effect_model.h"

// A "Transform" effect with one uniform scale: the transform as rotation, a skew along an axis and
// a uniform scale. Mirrored transforms cannot be expressed.
class Affine2Model : public TransformEffectModel {
public:
    Affine2Model();
    ~Affine2Model() override;

protected:
    void decompose(std::int32_t frame, const Transform& m) override;
    void thinScales() override;
};
