#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "tracking/key_sequences.h"
#include "tracking/keyframe_reduction.h"
#include "tracking/reduction_reference.h"

namespace {

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
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (!same(a[i], b[i])) return static_cast<long>(i);
    }
    return a.size() == b.size() ? -1 : static_cast<long>(n);
}

struct Kind {
    const char* name;
    std::vector<float> tolerances;  // the motion scale follows the tolerance
};

std::size_t lengthFor(testkit::SequenceMaker& make, testkit::Shape shape) {
    const int pick = make.integer(0, 19);
    if (pick == 0) return static_cast<std::size_t>(make.integer(0, 3));
    // The reference is cubic on exact zeros: keep those short.
    const bool flat = shape == testkit::Shape::Still || shape == testkit::Shape::DyadicLine;
    // Past 66 records a span leaves the loop as written for the bounds and witnesses.
    if (pick <= 2 && !flat) return static_cast<std::size_t>(make.integer(100, 400));
    return static_cast<std::size_t>(make.integer(3, 90));
}

// Runs `count` random sequences through both reductions; reports the first few that differ.
template <class Key, class Build, class Fast, class Slow>
void compareMany(std::uint64_t seed, int count, const std::vector<float>& tolerances, Build build, Fast fast,
                 Slow slow) {
    testkit::SequenceMaker make(seed);
    int failures = 0;
    for (int i = 0; i < count && failures < 5; ++i) {
        const testkit::Shape shape = make.shape();
        const std::size_t n = lengthFor(make, shape);
        const float tolerance =
            tolerances[static_cast<std::size_t>(make.integer(0, static_cast<int>(tolerances.size()) - 1))];
        const std::vector<std::int32_t> frames = make.frames(n);
        std::vector<Key> keys = build(make, shape, frames, tolerance);
        std::vector<Key> expected = keys;
        fast(keys, tolerance);
        slow(expected, tolerance);
        const long at = firstDifference(keys, expected);
        if (at >= 0) {
            ++failures;
            ADD_FAILURE() << "sequence " << i << " (seed " << seed << ", " << testkit::shapeName(shape)
                          << ", n = " << n << ", tolerance " << tolerance
                          << "): first difference at retained record " << at << " of " << expected.size()
                          << " expected, " << keys.size() << " found";
        }
    }
}

TEST(ReductionEquivalence, PointsMatchTheReference) {
    for (std::uint64_t seed : {11u, 12u, 13u}) {
        compareMany<PointKey>(
            seed, 600, {0.5f, 0.05f, 2.0f, 1e-4f},
            [](testkit::SequenceMaker& make, testkit::Shape shape, const std::vector<std::int32_t>& frames,
               float tolerance) {
                const std::vector<double> xs = make.values(shape, frames, tolerance);
                const testkit::Shape other = make.integer(0, 1) ? shape : make.shape();
                const std::vector<double> ys = make.values(other, frames, tolerance);
                PointKeys keys;
                for (std::size_t i = 0; i < frames.size(); ++i) keys.push_back({xs[i], ys[i], frames[i]});
                return keys;
            },
            reducePoints, reference::reducePoints);
    }
}

ScalarKeys scalarKeys(testkit::SequenceMaker& make, testkit::Shape shape,
                      const std::vector<std::int32_t>& frames, float tolerance) {
    const std::vector<double> vs = make.values(shape, frames, tolerance);
    ScalarKeys keys;
    for (std::size_t i = 0; i < frames.size(); ++i) keys.push_back({vs[i], frames[i]});
    return keys;
}

TEST(ReductionEquivalence, ScalarsMatchTheReference) {
    for (std::uint64_t seed : {21u, 22u, 23u}) {
        compareMany<ScalarKey>(seed, 600, {0.5f, 0.01f, 3.0f, 1e-5f}, scalarKeys, reduceScalars,
                               reference::reduceScalars);
    }
}

TEST(ReductionEquivalence, AnglesMatchTheReference) {
    for (std::uint64_t seed : {31u, 32u, 33u}) {
        compareMany<ScalarKey>(seed, 600, {0.01f, 0.001f, 2e-5f, 0.3f}, scalarKeys, reduceAngles,
                               reference::reduceAngles);
    }
}

TEST(ReductionEquivalence, SkewPairsMatchTheReference) {
    for (std::uint64_t seed : {41u, 42u, 43u}) {
        compareMany<SkewPairKey>(
            seed, 500, {0.01f, 0.001f, 0.1f},
            [](testkit::SequenceMaker& make, testkit::Shape shape, const std::vector<std::int32_t>& frames,
               float tolerance) {
                std::vector<double> amounts = make.values(shape, frames, tolerance);
                const std::vector<double> axes = make.values(make.shape(), frames, tolerance);
                // Amounts near the range the affine models produce.
                for (double& a : amounts) a = a / 500;
                SkewPairKeys keys;
                for (std::size_t i = 0; i < frames.size(); ++i)
                    keys.push_back({amounts[i], axes[i], frames[i]});
                return keys;
            },
            reduceSkewPairs, reference::reduceSkewPairs);
    }
}

// Long sequences, where the span runs for hundreds of records: noisy and rounded lines (the span
// is the whole sequence) and slow smooth drifts (the best step is short, the span long), for each
// kind, with and without full turns in the angles.
enum class LongShape { NoisyLine, RoundedLine, Drift, WrappedDrift };

std::vector<double> longValues(testkit::SequenceMaker& make, LongShape shape,
                               const std::vector<std::int32_t>& frames, double scale) {
    if (shape == LongShape::NoisyLine) return make.values(testkit::Shape::NoisyLine, frames, scale);
    if (shape == LongShape::RoundedLine) return make.values(testkit::Shape::DecimalLine, frames, scale);
    const double amplitude = scale * make.uniform(200, 2000);
    const double period = make.uniform(300, 3000);
    std::vector<double> v;
    for (const std::int32_t f : frames) {
        const double t = static_cast<double>(f - frames[0]);
        const double turn =
            shape == LongShape::WrappedDrift && make.integer(0, 40) == 0 ? 6.283185307179586 : 0;
        v.push_back(0.3 + amplitude * std::sin(t / period) + turn);
    }
    return v;
}

TEST(ReductionEquivalence, LongSequencesMatchTheReference) {
    testkit::SequenceMaker make(51);
    for (int i = 0; i < 24; ++i) {
        const LongShape shape = static_cast<LongShape>(i % 4);
        // The reference is cubic on lines: those stay shorter.
        const bool line = shape == LongShape::NoisyLine || shape == LongShape::RoundedLine;
        const std::vector<std::int32_t> frames = make.frames(line ? 400 : 1200);
        const float tolerance = i % 3 == 0 ? 1e-4f : 0.5f;
        const std::vector<double> xs = longValues(make, shape, frames, tolerance);
        const std::vector<double> ys = longValues(make, shape, frames, tolerance);
        PointKeys points;
        ScalarKeys scalars;
        for (std::size_t k = 0; k < frames.size(); ++k) {
            points.push_back({xs[k], ys[k], frames[k]});
            scalars.push_back({xs[k], frames[k]});
        }
        PointKeys expectedPoints = points;
        reducePoints(points, tolerance);
        reference::reducePoints(expectedPoints, tolerance);
        EXPECT_EQ(firstDifference(points, expectedPoints), -1) << "points, sequence " << i;
        ScalarKeys angles = scalars;
        ScalarKeys expected = scalars;
        reduceScalars(scalars, tolerance);
        reference::reduceScalars(expected, tolerance);
        EXPECT_EQ(firstDifference(scalars, expected), -1) << "scalars, sequence " << i;
        expected = angles;
        reduceAngles(angles, tolerance);
        reference::reduceAngles(expected, tolerance);
        EXPECT_EQ(firstDifference(angles, expected), -1) << "angles, sequence " << i;
    }
}

}  // namespace
