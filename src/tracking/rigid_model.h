#pragma once

#include "tracking/translation_model.h"

// Position as TranslationModel does, and the layer's Rotation; subclasses may key a Scale stage
// between the two.
class RigidModel : public TranslationModel {
public:
    RigidModel();
    ~RigidModel() override;

    void compute(std::unique_ptr<KeyframeSink> sink) override;
    std::size_t keyframeCount() const override;
    ModelTargets targets() const override;
    // Position keys, then the Scale stage if any, then Rotation keys.
    bool emitNext() override;

protected:
    RigidModel(float weight, const char* name);

    virtual bool hasScaleStage() const;
    // Writes the next Scale key; whether more remain.
    virtual bool emitNextScale();

    // One angle per frame, in radians.
    template <class AngleOf>
    void computeRotation(AngleOf angleOf);
    // Thins Rotation at weight * sqrt(2) / diagonal * tolerance: a rotation error of that size
    // moves the item's corners by weight * tolerance.
    void thinRotation();

    ScalarKeys rotation_;
    std::size_t rotationCursor_ = 0;
};

template <class AngleOf>
void RigidModel::computeRotation(AngleOf angleOf) {
    rotation_.clear();
    rotation_.reserve(frameCount());
    for (std::int32_t f = sink().firstFrame(); f < sink().endFrame(); ++f) {
        const double angle = angleOf(frameTransform(f));
        requireFinite(f, {angle});
        rotation_.push_back({angle, f});
    }
}
