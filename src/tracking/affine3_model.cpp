#include "tracking/affine3_model.h"

#include <algorithm>
#include <cmath>

#include "tracking/keyframe_reduction.h"
#include "tracking/model_constants.h"

namespace {}  // namespace

Affine3Model::Affine3Model() : RigidModel(0.25f, "Affine3") {}

Affine3Model::~Affine3Model() = default;

void Affine3Model::compute(std::unique_ptr<KeyframeSink> target) {
    KeyframeModel::compute(std::move(target));
    computePosition();
    rotation_.clear();
    scale_.clear();
    skew_.clear();
    rotation_.reserve(frameCount());
    scale_.reserve(frameCount());
    skew_.reserve(frameCount());
    for (std::int32_t f = sink().firstFrame(); f < sink().endFrame(); ++f) {
        const Transform m = frameTransform(f);
        const double sy = std::sqrt(m.yy * m.yy + m.xy * m.xy);
        const double k = (m.yx * m.yy + m.xx * m.xy) / (m.yy * m.yy + m.xy * m.xy);
        const double sx = (m.xx * m.yy - m.xy * m.yx) / sy;
        const double angle = std::atan2(-m.xy, m.yy);
        requireFinite(f, {sy, k, sx, angle});
        rotation_.push_back({angle, f});
        scale_.push_back({sx, sy, f});
        skew_.push_back({k, f});
    }
    const double w = sink().width();
    const double h = sink().height();
    const float e = source().exportInaccuracy;
    reduceAngles(rotation_, static_cast<float>(0.25 * kSqrt2 / std::hypot(w, h) * e));
    reducePoints(scale_, static_cast<float>(0.25 * 2 / std::max(w, h) * e));
    reduceScalars(skew_, static_cast<float>(0.25 * 2 / w * e));
    scaleCursor_ = 0;
    skewCursor_ = 0;
    startPosition();
}

std::size_t Affine3Model::keyframeCount() const {
    return position_.size() + rotation_.size() + scale_.size() + skew_.size();
}

bool Affine3Model::hasScaleStage() const {
    return true;
}

bool Affine3Model::emitNextScale() {
    if (scaleCursor_ >= scale_.size()) return false;
    const PointKey& key = scale_[scaleCursor_++];
    sink().addPointKey(key.frame, 100 * key.x, 100 * key.y);
    return scaleCursor_ < scale_.size();
}

bool Affine3Model::emitNext() {
    if (keyframeCount() == 0) return false;
    if (stage_ != Stage::EffectSkew) {
        if (RigidModel::emitNext()) return true;
        stage_ = Stage::EffectSkew;
        sink().applyEffect("Transform");
        sink().selectEffectStream(kTransformSkew);
        skewCursor_ = 0;
        return true;
    }
    if (skewCursor_ >= skew_.size()) return false;
    const ScalarKey& key = skew_[skewCursor_++];
    sink().addScalarKey(key.frame, std::atan(key.value) * kDegreesPerRadian);
    return skewCursor_ < skew_.size();
}

ModelTargets Affine3Model::targets() const {
    ModelTargets written = RigidModel::targets();
    written.effect = "Transform";
    written.effectParameters = {kTransformSkew};
    return written;
}
