#include "tracking/keyframe_reduction.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "tests/tracking/key_sequences.h"
#include "tests/tracking/reduction_reference.h"

namespace {

using Frames = std::vector<std::int32_t>;

template <class Key>
Frames framesOf(const std::vector<Key>& keys) {
    Frames frames;
    for (const Key& k : keys) frames.push_back(k.frame);
    return frames;
}

PointKeys points(std::initializer_list<std::array<double, 2>> xy) {
    PointKeys keys;
    for (const auto& p : xy) keys.push_back({p[0], p[1], static_cast<std::int32_t>(keys.size())});
    return keys;
}

PointKeys still(std::size_t n) {
    PointKeys keys;
    for (std::size_t i = 0; i < n; ++i) keys.push_back({5, 5, static_cast<std::int32_t>(i)});
    return keys;
}

ScalarKeys scalars(std::initializer_list<double> values) {
    ScalarKeys keys;
    for (const double v : values) keys.push_back({v, static_cast<std::int32_t>(keys.size())});
    return keys;
}

// Two value components of the given shape (the second sometimes of another shape).
using Values = std::array<std::vector<double>, 2>;

template <class Key>
struct Kind {
    void (*fast)(std::vector<Key>&, float);
    void (*slow)(std::vector<Key>&, float);
    Key (*make)(const Values& v, std::size_t i, std::int32_t frame);
};

const Kind<PointKey> kPoints{reducePoints, reference::reducePoints,
                             [](const Values& v, std::size_t i, std::int32_t f) {
                                 return PointKey{v[0][i], v[1][i], f};
                             }};
const Kind<ScalarKey> kScalars{reduceScalars, reference::reduceScalars,
                               [](const Values& v, std::size_t i, std::int32_t f) {
                                   return ScalarKey{v[0][i], f};
                               }};
const Kind<ScalarKey> kAngles{reduceAngles, reference::reduceAngles,
                              [](const Values& v, std::size_t i, std::int32_t f) {
                                  return ScalarKey{v[0][i], f};
                              }};
// Amounts near the range the affine models produce.
const Kind<SkewPairKey> kSkewPairs{reduceSkewPairs, reference::reduceSkewPairs,
                                   [](const Values& v, std::size_t i, std::int32_t f) {
                                       return SkewPairKey{v[0][i] / 500, v[1][i], f};
                                   }};

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kTurn = 2 * 3.141592653589793;
const std::int32_t kLow = std::numeric_limits<std::int32_t>::min();
const std::int32_t kHigh = std::numeric_limits<std::int32_t>::max();

// The frames the fast reduction keeps; the reference must keep the same.
template <class Key>
Frames kept(const Kind<Key>& kind, std::vector<Key> keys, float tolerance) {
    std::vector<Key> expected = keys;
    kind.fast(keys, tolerance);
    kind.slow(expected, tolerance);
    EXPECT_EQ(framesOf(keys), framesOf(expected)) << "against the reference";
    return framesOf(keys);
}

TEST(KeyframeReduction, EdgeCasesKeepTheExpectedFrames) {
    EXPECT_EQ(kept(kPoints, {}, 0.5f), Frames{});
    EXPECT_EQ(kept(kPoints, points({{3, 4}}), 0.5f), Frames{0});
    EXPECT_EQ(kept(kPoints, points({{3, 4}, {3, 4}}), 0.5f), (Frames{0, 1}));
    EXPECT_EQ(kept(kPoints, points({{0, 0}, {1, 2}, {2, 4}, {3, 6}, {4, 8}}), 0.5f), (Frames{0, 2, 4}));
    EXPECT_EQ(kept(kPoints, points({{0, 0}, {1, 2}, {2, 4}, {3, 6}}), 0.0f), (Frames{0, 1, 2, 3}));
    EXPECT_EQ(kept(kPoints, points({{0, 0}, {0, 0}, {0, 0}}), -1.0f), (Frames{0, 1, 2}));
    // Exact zeros keep every second record and the last.
    EXPECT_EQ(kept(kPoints, still(7), 0.5f), (Frames{0, 2, 4, 6}));
    EXPECT_EQ(kept(kPoints, still(6), 0.5f), (Frames{0, 2, 4, 5}));
    // Within 0.5 of a line: the longest span scores lowest.
    EXPECT_EQ(kept(kPoints, points({{0, 0}, {1, 0.1}, {2, -0.1}, {3, 0.1}, {4, 0}}), 0.5f), (Frames{0, 4}));
    // A jump of 3 pixels between frames 2 and 3 cannot be bridged at 0.5; one of 0.4 can.
    EXPECT_EQ(kept(kPoints, points({{0, 0}, {0, 0}, {0, 0}, {3, 0}, {3, 0}, {3, 0}}), 0.5f),
              (Frames{0, 2, 3, 5}));
    EXPECT_EQ(kept(kPoints, points({{0, 0}, {0, 0}, {0.4, 0}, {0.4, 0}}), 0.5f), (Frames{0, 3}));
    // Values that are not numbers never count as errors, in either loop.
    EXPECT_EQ(kept(kPoints, points({{0, 0}, {kNaN, 0}, {0, 0}, {0, 0}}), 0.5f), (Frames{0, 2, 3}));
    // Collinear in time: 1 px per frame, with a gap of 9 frames.
    EXPECT_EQ(kept(kPoints, {{0, 0, 0}, {1, 0, 1}, {10, 0, 10}, {11, 0, 11}}, 0.25f), (Frames{0, 10, 11}));
    // Frame 0 lies halfway between kLow + 1 and kHigh, and so does its value.
    EXPECT_EQ(kept(kScalars, {{0, kLow}, {1, kLow + 1}, {2, 0}, {3, kHigh}}, 0.5f),
              (Frames{kLow, kLow + 1, kHigh}));
    // Full turns count as equal angles, not as equal scalars.
    EXPECT_EQ(kept(kAngles, scalars({0, kTurn, 0, kTurn, 0}), 0.01f), (Frames{0, 2, 4}));
    EXPECT_EQ(kept(kScalars, scalars({0, kTurn, 0, kTurn, 0}), 0.01f), (Frames{0, 1, 2, 3, 4}));
    // 0.1 rad off the line costs 1 - cos(0.1) = 0.005: above 0.05^2, within 0.1^2.
    EXPECT_EQ(kept(kAngles, scalars({0, 0.1, 0, 0}), 0.05f), (Frames{0, 1, 3}));
    EXPECT_EQ(kept(kAngles, scalars({0, 0.1, 0, 0}), 0.1f), (Frames{0, 3}));
    // The skew axis matters only with an amount.
    EXPECT_EQ(kept(kSkewPairs, {{0, 0, 0}, {0, 1.5, 1}, {0, -2, 2}, {0, 0.3, 3}, {0, 0, 4}}, 0.01f),
              (Frames{0, 2, 4}));
    EXPECT_EQ(kept(kSkewPairs, {{0.5, 0, 0}, {0.5, 1.5, 1}, {0.5, 0, 2}}, 0.01f), (Frames{0, 1, 2}));
}

// ---- equality with the reference on random sequences (fixed seeds) ----

bool same(const PointKey& a, const PointKey& b) {
    return a.frame == b.frame && a.x == b.x && a.y == b.y;
}
bool same(const ScalarKey& a, const ScalarKey& b) {
    return a.frame == b.frame && a.value == b.value;
}
bool same(const SkewPairKey& a, const SkewPairKey& b) {
    return a.frame == b.frame && a.amount == b.amount && a.axis == b.axis;
}

// Index of the first record where the two differ, or -1.
template <class Key>
long firstDifference(const std::vector<Key>& a, const std::vector<Key>& b) {
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (!same(a[i], b[i])) return static_cast<long>(i);
    }
    return a.size() == b.size() ? -1 : static_cast<long>(std::min(a.size(), b.size()));
}

// Thins with both; reports a difference (at most `budget` of them).
template <class Key>
void compare(const Kind<Key>& kind, const Values& values, const Frames& frames, float tolerance,
             const std::string& what, int& budget) {
    std::vector<Key> keys;
    for (std::size_t i = 0; i < frames.size(); ++i) keys.push_back(kind.make(values, i, frames[i]));
    std::vector<Key> expected = keys;
    kind.fast(keys, tolerance);
    kind.slow(expected, tolerance);
    const long at = firstDifference(keys, expected);
    if (at >= 0 && budget-- > 0) {
        ADD_FAILURE() << what << ", n = " << frames.size() << ", tolerance " << tolerance
                      << ": first difference at retained record " << at << " of " << expected.size()
                      << " expected, " << keys.size() << " found";
    }
}

std::size_t lengthFor(testkit::SequenceMaker& make, testkit::Shape shape) {
    const int pick = make.integer(0, 19);
    if (pick == 0) return static_cast<std::size_t>(make.integer(0, 3));
    // The reference is cubic on exact zeros: keep those short. Past 66 records a span leaves the
    // loop as written for the bounds and witnesses.
    const bool flat = shape == testkit::Shape::Still || shape == testkit::Shape::DyadicLine;
    if (pick <= 2 && !flat) return static_cast<std::size_t>(make.integer(100, 400));
    return static_cast<std::size_t>(make.integer(3, 90));
}

// Every kind on `count` random sequences of every shape; the motion scale follows the tolerance.
template <class Key>
void compareMany(const Kind<Key>& kind, std::initializer_list<std::uint64_t> seeds, int count,
                 std::vector<float> tolerances) {
    int budget = 5;
    for (const std::uint64_t seed : seeds) {
        testkit::SequenceMaker make(seed);
        for (int i = 0; i < count; ++i) {
            const testkit::Shape shape = make.shape();
            const Frames frames = make.frames(lengthFor(make, shape));
            const float tolerance = tolerances[static_cast<std::size_t>(
                make.integer(0, static_cast<int>(tolerances.size()) - 1))];
            const testkit::Shape other = make.integer(0, 1) ? shape : make.shape();
            const Values values = {make.values(shape, frames, tolerance),
                                   make.values(other, frames, tolerance)};
            compare(kind, values, frames, tolerance,
                    "sequence " + std::to_string(i) + " (seed " + std::to_string(seed) + ", " +
                        testkit::shapeName(shape) + ")",
                    budget);
        }
    }
}

TEST(ReductionEquivalence, EveryKindMatchesTheReference) {
    compareMany(kPoints, {11, 12, 13}, 600, {0.5f, 0.05f, 2.0f, 1e-4f});
    compareMany(kScalars, {21, 22, 23}, 600, {0.5f, 0.01f, 3.0f, 1e-5f});
    compareMany(kAngles, {31, 32, 33}, 600, {0.01f, 0.001f, 2e-5f, 0.3f});
    compareMany(kSkewPairs, {41, 42, 43}, 500, {0.01f, 0.001f, 0.1f});
}

// Long sequences, where the span runs for hundreds of records: noisy and rounded lines (the span
// is the whole sequence) and slow smooth drifts (the best step is short, the span long), with and
// without full turns.
enum class LongShape { NoisyLine, RoundedLine, Drift, WrappedDrift };

std::vector<double> longValues(testkit::SequenceMaker& make, LongShape shape, const Frames& frames,
                               double scale) {
    if (shape == LongShape::NoisyLine) return make.values(testkit::Shape::NoisyLine, frames, scale);
    if (shape == LongShape::RoundedLine) return make.values(testkit::Shape::DecimalLine, frames, scale);
    const double amplitude = scale * make.uniform(1000, 4000);
    const double period = make.uniform(300, 2000);
    std::vector<double> v;
    for (const std::int32_t f : frames) {
        const bool turn = shape == LongShape::WrappedDrift && make.integer(0, 40) == 0;
        v.push_back(0.3 + amplitude * std::sin(static_cast<double>(f - frames[0]) / period) +
                    (turn ? kTurn : 0));
    }
    return v;
}

TEST(ReductionEquivalence, LongSequencesMatchTheReference) {
    testkit::SequenceMaker make(51);
    int budget = 5;
    for (int i = 0; i < 16; ++i) {
        const LongShape shape = static_cast<LongShape>(i % 4);
        // The reference is cubic on lines: those stay shorter.
        const bool line = shape == LongShape::NoisyLine || shape == LongShape::RoundedLine;
        const Frames frames = make.frames(line ? 300 : 900);
        const float tolerance = i % 3 == 0 ? 1e-4f : 0.5f;
        const Values values = {longValues(make, shape, frames, tolerance),
                               longValues(make, shape, frames, tolerance)};
        const std::string what = "long sequence " + std::to_string(i);
        compare(kPoints, values, frames, tolerance, "points, " + what, budget);
        compare(kScalars, values, frames, tolerance, "scalars, " + what, budget);
        compare(kAngles, values, frames, tolerance, "angles, " + what, budget);
    }
}

}  // namespace
