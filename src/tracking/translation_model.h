#pragma once

#include "tracking/keyframe_model.h"
#include "tracking/keyframes.h"

// Keys the layer's Position with the path of the source item's centre.
class TranslationModel : public KeyframeModel {
public:
    TranslationModel();
    ~TranslationModel() override;

    void compute(std::unique_ptr<KeyframeSink> sink) override;
    std::size_t keyframeCount() const override;
    ModelTargets targets() const override;
    bool emitNext() override;

protected:
    TranslationModel(float weight, const char* name);

    // The centre's path, thinned at weight * tolerance.
    void computePosition();
    // Position becomes the target, its first key next.
    void startPosition();
    // Writes the Position key at the cursor; whether more remain.
    bool emitPosition();
    bool positionDone() const { return positionCursor_ >= position_.size(); }

    PointKeys position_;
    std::size_t positionCursor_ = 0;
};
