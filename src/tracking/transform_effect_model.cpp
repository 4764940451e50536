#include "tracking/transform_effect_model.h"

#include <cmath>

#include "tracking/keyframe_reduction.h"
#include "tracking/model_constants.h"

namespace {

// The effect's parameter keyed in each emission state.
constexpr std::int32_t kStageParameter[] = {2, 4, 5, 6, 7, 8};
constexpr std::int32_t kUniformScaleSwitch = 3;
constexpr std::int32_t kVerticalScale = 4;

// Writes the key at the cursor and advances; whether that was the last.
template <class Keys, class Write>
bool emitAt(const Keys& keys, std::size_t& cursor, Write write) {
    if (cursor < keys.size()) write(keys[cursor++]);
    return cursor >= keys.size();
}

}  // namespace

TransformEffectModel::TransformEffectModel(float weight, const char* name, bool uniformScale)
    : KeyframeModel(weight, name), uniformScale_(uniformScale) {}

TransformEffectModel::~TransformEffectModel() = default;

void TransformEffectModel::compute(std::unique_ptr<KeyframeSink> target) {
    KeyframeModel::compute(std::move(target));
    const double cx = sink().width() * 0.5;
    const double cy = sink().height() * 0.5;
    for (auto* keys : {&rotation_, &verticalScale_, &horizontalScale_}) keys->clear();
    position_.clear();
    skew_.clear();
    position_.reserve(frameCount());
    for (std::int32_t f = sink().firstFrame(); f < sink().endFrame(); ++f) {
        const Transform m = frameTransform(f);
        PointKey key;
        key.frame = f;
        m.apply(cx, cy, key.x, key.y);
        requireFinite(f, {key.x, key.y});
        position_.push_back(key);
        decompose(f, m);
    }

    const float e = source().exportInaccuracy;
    const double diagonal =
        std::hypot(static_cast<double>(sink().width()), static_cast<double>(sink().height()));
    reducePoints(position_, weight_ * e);
    reduceAngles(rotation_, static_cast<float>(weight_ * kSqrt2 / diagonal * e));
    thinScales();
    reduceSkewPairs(skew_, static_cast<float>(2 * weight_ / diagonal * e));
    positionCursor_ = rotationCursor_ = verticalCursor_ = horizontalCursor_ = skewCursor_ = 0;

    // Only now that every value is known to be sound does the layer get its effect, and only when
    // there is a frame to key.
    state_ = 0;
    if (keyframeCount() == 0) return;
    sink().applyEffect("Transform");
    enterState(0);
}

void TransformEffectModel::enterState(int state) {
    state_ = state;
    const std::int32_t parameter = kStageParameter[state];
    if (parameter == kVerticalScale && !uniformScale_) {
        // Separate horizontal and vertical scales need the uniform-scale switch off.
        sink().selectEffectStream(kUniformScaleSwitch);
        sink().addScalarKey(sink().firstFrame(), 0);
    }
    sink().selectEffectStream(parameter);
}

std::size_t TransformEffectModel::keyframeCount() const {
    return position_.size() + rotation_.size() + verticalScale_.size() +
           (uniformScale_ ? 0 : horizontalScale_.size()) + 2 * skew_.size();
}

bool TransformEffectModel::emitNext() {
    if (keyframeCount() == 0) return false;
    KeyframeSink& out = sink();
    switch (state_) {
        case 0:
            if (positionCursor_ >= position_.size()) return false;
            if (emitAt(position_, positionCursor_,
                       [&](const PointKey& k) { out.addPointKey(k.frame, k.x, k.y); })) {
                enterState(1);
            }
            return true;
        case 1:
            if (emitAt(verticalScale_, verticalCursor_,
                       [&](const ScalarKey& k) { out.addScalarKey(k.frame, 100 * k.value); })) {
                enterState(uniformScale_ ? 3 : 2);
            }
            return true;
        case 2:
            if (emitAt(horizontalScale_, horizontalCursor_,
                       [&](const ScalarKey& k) { out.addScalarKey(k.frame, 100 * k.value); })) {
                enterState(3);
            }
            return true;
        case 3:
            if (emitAt(skew_, skewCursor_, [&](const SkewPairKey& k) {
                    out.addScalarKey(k.frame, std::atan(k.amount) * kDegreesPerRadian);
                })) {
                skewCursor_ = 0;
                enterState(4);
            }
            return true;
        case 4:
            if (emitAt(skew_, skewCursor_, [&](const SkewPairKey& k) {
                    out.addScalarKey(k.frame, k.axis * kDegreesPerRadian);
                })) {
                enterState(5);
            }
            return true;
        default:
            if (rotationCursor_ >= rotation_.size()) return false;
            return !emitAt(rotation_, rotationCursor_, [&](const ScalarKey& k) {
                out.addScalarKey(k.frame, k.value * kDegreesPerRadian);
            });
    }
}

ModelTargets TransformEffectModel::targets() const {
    ModelTargets written{{}, "Transform", {}};
    for (const std::int32_t parameter : kStageParameter) {
        if (parameter == kVerticalScale && !uniformScale_)
            written.effectParameters.push_back(kUniformScaleSwitch);
        // A uniform scale leaves the horizontal scale alone.
        if (parameter == kStageParameter[2] && uniformScale_) continue;
        written.effectParameters.push_back(parameter);
    }
    return written;
}
