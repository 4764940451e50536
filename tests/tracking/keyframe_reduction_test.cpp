#include "tracking/keyframe_reduction.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "tracking/reduction_reference.h"

namespace {

template <class Key>
std::vector<std::int32_t> framesOf(const std::vector<Key>& keys) {
    std::vector<std::int32_t> frames;
    for (const Key& k : keys) frames.push_back(k.frame);
    return frames;
}

PointKeys points(std::initializer_list<std::array<double, 2>> xy, std::int32_t first = 0) {
    PointKeys keys;
    for (const auto& p : xy) keys.push_back({p[0], p[1], first++});
    return keys;
}

ScalarKeys scalars(std::initializer_list<double> values, std::int32_t first = 0) {
    ScalarKeys keys;
    for (const double v : values) keys.push_back({v, first++});
    return keys;
}

using Frames = std::vector<std::int32_t>;

struct PointCase {
    const char* name;
    PointKeys keys;
    float tolerance;
    Frames kept;
};

void PrintTo(const PointCase& c, std::ostream* os) {
    *os << c.name;
}

class PointThinning : public ::testing::TestWithParam<PointCase> {};

TEST_P(PointThinning, KeepsTheExpectedFramesLikeTheReference) {
    PointKeys fast = GetParam().keys;
    PointKeys slow = GetParam().keys;
    reducePoints(fast, GetParam().tolerance);
    reference::reducePoints(slow, GetParam().tolerance);
    EXPECT_EQ(framesOf(fast), GetParam().kept);
    EXPECT_EQ(framesOf(slow), GetParam().kept);
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Cases, PointThinning,
    ::testing::Values(
        PointCase{"Empty", {}, 0.5f, {}}, PointCase{"OneRecord", points({{3, 4}}), 0.5f, {0}},
        PointCase{"TwoRecords", points({{3, 4}, {3, 4}}), 0.5f, {0, 1}},
        PointCase{"FiveCollinear", points({{0, 0}, {1, 2}, {2, 4}, {3, 6}, {4, 8}}), 0.5f, {0, 2, 4}},
        PointCase{"ZeroToleranceKeepsAll", points({{0, 0}, {1, 2}, {2, 4}, {3, 6}}), 0.0f, {0, 1, 2, 3}},
        PointCase{"NegativeToleranceKeepsAll", points({{0, 0}, {0, 0}, {0, 0}}), -1.0f, {0, 1, 2}},
        PointCase{"IdenticalOddCount",
                  points({{5, 5}, {5, 5}, {5, 5}, {5, 5}, {5, 5}, {5, 5}, {5, 5}}),
                  0.5f,
                  {0, 2, 4, 6}},
        PointCase{"IdenticalEvenCount",
                  points({{5, 5}, {5, 5}, {5, 5}, {5, 5}, {5, 5}, {5, 5}}),
                  0.5f,
                  {0, 2, 4, 5}},
        // Within 0.5 of a line: the longest span scores lowest.
        PointCase{"NoisyLine", points({{0, 0}, {1, 0.1}, {2, -0.1}, {3, 0.1}, {4, 0}}), 0.5f, {0, 4}},
        // A jump of 3 pixels between frames 2 and 3 cannot be bridged at 0.5.
        PointCase{"Jump", points({{0, 0}, {0, 0}, {0, 0}, {3, 0}, {3, 0}, {3, 0}}), 0.5f, {0, 2, 3, 5}},
        PointCase{"JumpWithinTolerance", points({{0, 0}, {0, 0}, {0.4, 0}, {0.4, 0}}), 0.5f, {0, 3}},
        // Values that are not numbers never count as errors, in either loop.
        PointCase{"NotANumber", points({{0, 0}, {kNaN, 0}, {0, 0}, {0, 0}}), 0.5f, {0, 2, 3}}),
    [](const ::testing::TestParamInfo<PointCase>& info) { return std::string(info.param.name); });

TEST(KeyframeReduction, InterpolatesByFrameNotByIndex) {
    // Collinear in time: 1 px per frame, with a gap of 9 frames.
    PointKeys keys = {{0, 0, 0}, {1, 0, 1}, {10, 0, 10}, {11, 0, 11}};
    reducePoints(keys, 0.25f);
    EXPECT_EQ(framesOf(keys), (Frames{0, 10, 11}));
}

TEST(KeyframeReduction, FrameDifferencesSpanTheWholeIntegerRange) {
    const std::int32_t lo = std::numeric_limits<std::int32_t>::min();
    const std::int32_t hi = std::numeric_limits<std::int32_t>::max();
    ScalarKeys keys = {{0, lo}, {1, lo + 1}, {2, 0}, {3, hi}};
    ScalarKeys slow = keys;
    reduceScalars(keys, 0.5f);
    reference::reduceScalars(slow, 0.5f);
    EXPECT_EQ(framesOf(keys), framesOf(slow));
    // Frame 0 lies halfway between lo + 1 and hi, and so does its value.
    EXPECT_EQ(framesOf(keys), (Frames{lo, lo + 1, hi}));
}

TEST(KeyframeReduction, AnglesAFullTurnApartCountAsEqual) {
    const double turn = 2 * 3.141592653589793;
    ScalarKeys angles = scalars({0, turn, 0, turn, 0});
    ScalarKeys values = angles;
    reduceAngles(angles, 0.01f);
    reduceScalars(values, 0.01f);
    EXPECT_EQ(framesOf(angles), (Frames{0, 2, 4}));
    EXPECT_EQ(framesOf(values), (Frames{0, 1, 2, 3, 4}));
}

TEST(KeyframeReduction, AngleErrorGrowsWithTheDifference) {
    // 0.1 rad off the line costs 1 - cos(0.1) = 0.005, above 0.05^2; 0.05 rad costs 0.00125.
    ScalarKeys keys = scalars({0, 0.1, 0, 0});
    reduceAngles(keys, 0.05f);
    EXPECT_EQ(framesOf(keys), (Frames{0, 1, 3}));
    ScalarKeys loose = scalars({0, 0.1, 0, 0});
    reduceAngles(loose, 0.1f);
    EXPECT_EQ(framesOf(loose), (Frames{0, 3}));
}

TEST(KeyframeReduction, SkewAxisDoesNotMatterWithoutAmount) {
    SkewPairKeys keys = {{0, 0, 0}, {0, 1.5, 1}, {0, -2, 2}, {0, 0.3, 3}, {0, 0, 4}};
    reduceSkewPairs(keys, 0.01f);
    EXPECT_EQ(framesOf(keys), (Frames{0, 2, 4}));
    SkewPairKeys turned = {{0.5, 0, 0}, {0.5, 1.5, 1}, {0.5, 0, 2}};
    reduceSkewPairs(turned, 0.01f);
    EXPECT_EQ(framesOf(turned), (Frames{0, 1, 2}));
}

TEST(KeyframeReduction, RetainedRecordsAreCopiedUnchanged) {
    PointKeys keys = points({{0.1, 0.2}, {1.1, 2.2}, {2.1, 4.2}, {3.1, 6.2}, {4.1, 8.2}}, 7);
    const PointKeys original = keys;
    reducePoints(keys, 0.5f);
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(keys.front().x, original.front().x);
    EXPECT_EQ(keys.back().y, original.back().y);
    EXPECT_EQ(keys.back().frame, 11);
}

}  // namespace
