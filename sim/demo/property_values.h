#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/demo/host_transcript.h"
#include "tracking/transformations.h"

namespace demoreport {

// An animated property as an export model names it: one of the layer's own streams (no effect,
// index 1 Position, 2 Scale, 3 Rotation) or parameter `index` of the effect with that name.
struct PropertyRef {
    std::string effect;
    int index = 0;

    friend bool operator==(const PropertyRef& a, const PropertyRef& b) {
        return a.effect == b.effect && a.index == b.index;
    }
};

// The values a model writes for one property, in host units (pixels, percent, degrees), each at
// its frame (Sample::time holds the frame number).
struct PropertyValues {
    PropertyRef property;
    std::vector<Sample> samples;
};

// What the model would write for every frame in [firstFrame, endFrame) of an item of that size
// without thinning: the per-frame values that keyframes replace. Properties in the order written.
std::vector<PropertyValues> perFrameValues(const Transformations& motion, ExportModel model,
                                           std::int32_t width, std::int32_t height, std::int32_t firstFrame,
                                           std::int32_t endFrame);

}  // namespace demoreport
