#include "tracking/corner_pin_model.h"

#include "tracking/keyframe_reduction.h"

CornerPinModel::CornerPinModel() : KeyframeModel(1.0f, "CornerPin") {}

CornerPinModel::~CornerPinModel() = default;

void CornerPinModel::compute(std::unique_ptr<KeyframeSink> target) {
    KeyframeModel::compute(std::move(target));
    const double w = sink().width();
    const double h = sink().height();
    const double u[4] = {0, w, 0, w};
    const double v[4] = {0, 0, h, h};
    for (PointKeys& keys : corners_) {
        keys.clear();
        keys.reserve(frameCount());
    }
    for (std::int32_t f = sink().firstFrame(); f < sink().endFrame(); ++f) {
        const Transform m = frameTransform(f);
        for (std::size_t i = 0; i < corners_.size(); ++i) {
            PointKey key;
            key.frame = f;
            m.apply(u[i], v[i], key.x, key.y);
            requireFinite(f, {key.x, key.y});
            corners_[i].push_back(key);
        }
    }
    for (PointKeys& keys : corners_) reducePoints(keys, source().exportInaccuracy);

    corner_ = 0;
    cursor_ = 0;
    if (keyframeCount() == 0) return;
    sink().applyEffect("Corner Pin");
    sink().selectEffectStream(1);
}

std::size_t CornerPinModel::keyframeCount() const {
    std::size_t count = 0;
    for (const PointKeys& keys : corners_) count += keys.size();
    return count;
}

bool CornerPinModel::emitNext() {
    const PointKeys& keys = corners_[corner_];
    if (cursor_ >= keys.size()) return false;
    const PointKey& key = keys[cursor_++];
    sink().addPointKey(key.frame, key.x, key.y);
    if (cursor_ < keys.size()) return true;
    if (corner_ + 1 >= corners_.size()) return false;
    ++corner_;
    cursor_ = 0;
    sink().selectEffectStream(static_cast<std::int32_t>(corner_ + 1));
    return true;
}

ModelTargets CornerPinModel::targets() const {
    return {{}, "Corner Pin", {1, 2, 3, 4}};
}
