#include "tracking/translation_model.h"

#include "tracking/keyframe_reduction.h"

TranslationModel::TranslationModel() : TranslationModel(1.0f, "Translation") {}

TranslationModel::TranslationModel(float weight, const char* name) : KeyframeModel(weight, name) {}

TranslationModel::~TranslationModel() = default;

void TranslationModel::compute(std::unique_ptr<KeyframeSink> target) {
    KeyframeModel::compute(std::move(target));
    computePosition();
    startPosition();
}

void TranslationModel::computePosition() {
    const double cx = sink().width() * 0.5;
    const double cy = sink().height() * 0.5;
    position_.clear();
    position_.reserve(frameCount());
    for (std::int32_t f = sink().firstFrame(); f < sink().endFrame(); ++f) {
        PointKey key;
        key.frame = f;
        frameTransform(f).apply(cx, cy, key.x, key.y);
        requireFinite(f, {key.x, key.y});
        position_.push_back(key);
    }
    reducePoints(position_, weight_ * source().exportInaccuracy);
}

void TranslationModel::startPosition() {
    stage_ = Stage::Position;
    positionCursor_ = 0;
    // With no frame to convert, nothing is touched.
    if (keyframeCount() > 0) sink().selectLayerStream(LayerStream::Position);
}

bool TranslationModel::emitPosition() {
    if (positionDone()) return false;
    const PointKey& key = position_[positionCursor_++];
    sink().addPointKey(key.frame, key.x, key.y);
    return !positionDone();
}

std::size_t TranslationModel::keyframeCount() const {
    return position_.size();
}

bool TranslationModel::emitNext() {
    return emitPosition();
}

ModelTargets TranslationModel::targets() const {
    return {{LayerStream::Position}, nullptr, {}};
}
