#pragma once

// Constants of the export models, with the digits the keyframes are computed with.
constexpr double kSqrt2 = 1.414213562373095;
constexpr double kDegreesPerRadian = 57.29577951308232;
