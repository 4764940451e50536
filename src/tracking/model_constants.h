#pragma once

#include <cstdint>

// Constants of the export models, with the digits the keyframes are computed with.
constexpr double kSqrt2 = 1.414213562373095;
constexpr double kDegreesPerRadian = 57.29577951308232;

// Parameters of the host's Transform effect, by index.
constexpr std::int32_t kTransformPosition = 2;
constexpr std::int32_t kTransformUniformScale = 3;
constexpr std::int32_t kTransformVerticalScale = 4;
constexpr std::int32_t kTransformHorizontalScale = 5;
constexpr std::int32_t kTransformSkew = 6;
constexpr std::int32_t kTransformSkewAxis = 7;
constexpr std::int32_t kTransformRotation = 8;
