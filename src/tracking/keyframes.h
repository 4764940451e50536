#pragma once

#include <cstdint>
#include <vector>

// The keyframe records the export models compute, one per frame before thinning.

// A two-dimensional value: a position or corner in pixels, or a two-axis scale.
struct PointKey {
    double x = 0;
    double y = 0;
    std::int32_t frame = 0;
};

// A one-dimensional value: an angle in radians, a scale or a skew factor.
struct ScalarKey {
    double value = 0;
    std::int32_t frame = 0;
};

// The Transform effect's skew: its amount and its axis angle in radians.
struct SkewPairKey {
    double amount = 0;
    double axis = 0;
    std::int32_t frame = 0;
};

using PointKeys = std::vector<PointKey>;
using ScalarKeys = std::vector<ScalarKey>;
using SkewPairKeys = std::vector<SkewPairKey>;
