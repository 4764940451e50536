#include "tracking/rigid_scale_model.h"

#include <cmath>

#include "tracking/keyframe_reduction.h"

RigidScaleModel::RigidScaleModel() : RigidModel(1.0f / 3.0f, "RigidScale") {}

RigidScaleModel::~RigidScaleModel() = default;

void RigidScaleModel::compute(std::unique_ptr<KeyframeSink> target) {
    KeyframeModel::compute(std::move(target));
    computePosition();
    computeRotation([](const Transform& m) { return std::atan2(m.yx - m.xy, m.xx + m.yy); });
    thinRotation();

    scale_.clear();
    scale_.reserve(frameCount());
    for (std::int32_t f = sink().firstFrame(); f < sink().endFrame(); ++f) {
        const Transform m = frameTransform(f);
        const double s = 0.5 * std::hypot(m.xy - m.yx, m.xx + m.yy);
        requireFinite(f, {s});
        scale_.push_back({s, f});
    }
    // A scale error of that size moves the item's corners by weight * tolerance.
    const double diagonal =
        std::hypot(static_cast<double>(sink().width()), static_cast<double>(sink().height()));
    reduceScalars(scale_, static_cast<float>(weight_ * 2 / diagonal * source().exportInaccuracy));
    scaleCursor_ = 0;
    startPosition();
}

std::size_t RigidScaleModel::keyframeCount() const {
    return position_.size() + rotation_.size() + scale_.size();
}

bool RigidScaleModel::hasScaleStage() const {
    return true;
}

bool RigidScaleModel::emitNextScale() {
    if (scaleCursor_ >= scale_.size()) return false;
    const ScalarKey& key = scale_[scaleCursor_++];
    sink().addPointKey(key.frame, 100 * key.value, 100 * key.value);
    return scaleCursor_ < scale_.size();
}
