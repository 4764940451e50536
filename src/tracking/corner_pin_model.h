#pragma once

#include <array>

#include "tracking/keyframe_model.h"
#include "tracking/keyframes.h"

// Keys the four corners of a "Corner Pin" effect with the paths of the source item's corners.
class CornerPinModel : public KeyframeModel {
public:
    CornerPinModel();
    ~CornerPinModel() override;

    void compute(std::unique_ptr<KeyframeSink> sink) override;
    std::size_t keyframeCount() const override;
    ModelTargets targets() const override;
    // Upper left, upper right, lower left, lower right, one corner after the other.
    bool emitNext() override;

private:
    std::array<PointKeys, 4> corners_;
    std::size_t corner_ = 0;
    std::size_t cursor_ = 0;
};
