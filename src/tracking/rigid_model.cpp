#include "tracking/rigid_model.h"

#include <cmath>

#include "tracking/keyframe_reduction.h"
#include "tracking/model_constants.h"

RigidModel::RigidModel() : RigidModel(0.5f, "Rigid") {}

RigidModel::RigidModel(float weight, const char* name) : TranslationModel(weight, name) {}

RigidModel::~RigidModel() = default;

void RigidModel::compute(std::unique_ptr<KeyframeSink> target) {
    KeyframeModel::compute(std::move(target));
    computePosition();
    computeRotation([](const Transform& m) { return std::atan2(m.yx - m.xy, m.xx + m.yy); });
    thinRotation();
    startPosition();
}

void RigidModel::thinRotation() {
    const double diagonal =
        std::hypot(static_cast<double>(sink().width()), static_cast<double>(sink().height()));
    reduceAngles(rotation_, static_cast<float>(weight_ * kSqrt2 / diagonal * source().exportInaccuracy));
}

std::size_t RigidModel::keyframeCount() const {
    return position_.size() + rotation_.size();
}

bool RigidModel::hasScaleStage() const {
    return false;
}

bool RigidModel::emitNextScale() {
    return false;
}

bool RigidModel::emitNext() {
    if (keyframeCount() == 0) return false;
    switch (stage_) {
        case Stage::Position:
            if (positionDone()) return false;
            if (emitPosition()) return true;
            if (hasScaleStage()) {
                stage_ = Stage::Scale;
                sink().selectLayerStream(LayerStream::Scale);
            } else {
                stage_ = Stage::Rotation;
                sink().selectLayerStream(LayerStream::Rotation);
                rotationCursor_ = 0;
            }
            return true;
        case Stage::Scale:
            if (!emitNextScale()) {
                stage_ = Stage::Rotation;
                sink().selectLayerStream(LayerStream::Rotation);
                rotationCursor_ = 0;
            }
            return true;
        default: {
            if (rotationCursor_ >= rotation_.size()) return false;
            const ScalarKey& key = rotation_[rotationCursor_++];
            sink().addScalarKey(key.frame, key.value * kDegreesPerRadian);
            return rotationCursor_ < rotation_.size();
        }
    }
}

ModelTargets RigidModel::targets() const {
    if (hasScaleStage())
        return {{LayerStream::Position, LayerStream::Scale, LayerStream::Rotation}, nullptr, {}};
    return {{LayerStream::Position, LayerStream::Rotation}, nullptr, {}};
}
