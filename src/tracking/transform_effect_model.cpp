#include "tracking/transform_effect_model.h"

#include <cmath>
#include <iterator>

#include "tracking/keyframe_reduction.h"
#include "tracking/model_constants.h"

namespace {

// The effect's parameter each stage keys, indexed by the stage.
constexpr std::int32_t kStageParameters[] = {kTransformPosition,        kTransformVerticalScale,
                                             kTransformHorizontalScale, kTransformSkew,
                                             kTransformSkewAxis,        kTransformRotation};

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
    stage_ = Stage::Position;
    if (keyframeCount() == 0) return;
    sink().applyEffect("Transform");
    enterStage(Stage::Position);
}

void TransformEffectModel::enterStage(Stage stage) {
    static_assert(static_cast<std::size_t>(Stage::Rotation) + 1 == std::size(kStageParameters),
                  "the Transform effect's stages come first among the stages, in its order");
    stage_ = stage;
    const std::int32_t parameter = kStageParameters[static_cast<std::size_t>(stage)];
    if (parameter == kTransformVerticalScale && !uniformScale_) {
        // Separate horizontal and vertical scales need the uniform-scale switch off.
        sink().selectEffectStream(kTransformUniformScale);
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
    switch (stage_) {
        case Stage::Position:
            if (positionCursor_ >= position_.size()) return false;
            if (emitAt(position_, positionCursor_,
                       [&](const PointKey& k) { out.addPointKey(k.frame, k.x, k.y); })) {
                enterStage(Stage::Scale);
            }
            return true;
        case Stage::Scale:
            if (emitAt(verticalScale_, verticalCursor_,
                       [&](const ScalarKey& k) { out.addScalarKey(k.frame, 100 * k.value); })) {
                enterStage(uniformScale_ ? Stage::SkewAmount : Stage::HorizontalScale);
            }
            return true;
        case Stage::HorizontalScale:
            if (emitAt(horizontalScale_, horizontalCursor_,
                       [&](const ScalarKey& k) { out.addScalarKey(k.frame, 100 * k.value); })) {
                enterStage(Stage::SkewAmount);
            }
            return true;
        case Stage::SkewAmount:
            if (emitAt(skew_, skewCursor_, [&](const SkewPairKey& k) {
                    out.addScalarKey(k.frame, std::atan(k.amount) * kDegreesPerRadian);
                })) {
                skewCursor_ = 0;
                enterStage(Stage::SkewAxis);
            }
            return true;
        case Stage::SkewAxis:
            if (emitAt(skew_, skewCursor_, [&](const SkewPairKey& k) {
                    out.addScalarKey(k.frame, k.axis * kDegreesPerRadian);
                })) {
                enterStage(Stage::Rotation);
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
    for (const std::int32_t parameter : kStageParameters) {
        if (parameter == kTransformVerticalScale && !uniformScale_)
            written.effectParameters.push_back(kTransformUniformScale);
        // A uniform scale leaves the horizontal scale alone.
        if (parameter == kTransformHorizontalScale && uniformScale_) continue;
        written.effectParameters.push_back(parameter);
    }
    return written;
}
