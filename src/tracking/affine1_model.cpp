#include "tracking/affine1_model.h"

#include <cmath>

#include "tracking/keyframe_reduction.h"

Affine1Model::Affine1Model() : TransformEffectModel(0.2f, "Affine1", false) {}

Affine1Model::~Affine1Model() = default;

void Affine1Model::decompose(std::int32_t frame, const Transform& m) {
    const double k = (m.xx * m.xy + m.yx * m.yy) / (m.xx * m.yy - m.xy * m.yx);
    const double horizontal = std::sqrt((m.xx * m.xx + m.yx * m.yx) / (k * k + 1));
    const double vertical = std::sqrt(m.xy * m.xy + m.yy * m.yy);
    const double angle = std::atan2(-m.xy, m.yy);
    requireFinite(frame, {k, horizontal, vertical, angle});
    horizontalScale_.push_back({horizontal, frame});
    verticalScale_.push_back({vertical, frame});
    rotation_.push_back({angle, frame});
    skew_.push_back({k, -angle, frame});
}

// A scale error of that size moves the item's edges by twice the weighted tolerance over its size.
void Affine1Model::thinScales() {
    const float e = source().exportInaccuracy;
    reduceScalars(verticalScale_, static_cast<float>(2.0 * weight_ / sink().height() * e));
    reduceScalars(horizontalScale_, static_cast<float>(2.0 * weight_ / sink().width() * e));
}
