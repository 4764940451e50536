#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "tracking/key_sequences.h"
#include "tracking/keyframe_error_measures.h"
#include "tracking/keyframe_thinning.h"
#include "tracking/reduction_reference.h"

// The search of the thinning loop on made-up error measures: each error is a hashed function of
// the three records, with exact zeros, many ties and spans of hundreds of records, so that every
// way the loop decides a candidate (bound, witness, partial and full evaluation, the search for the
// first zero) meets the cases that real measures produce only rarely.
namespace {

struct TableKey {
    double value = 0;
    std::int32_t frame = 0;
};

std::uint64_t mixBits(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdull;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ull;
    return x ^ (x >> 33);
}

struct Table {
    std::uint64_t seed = 0;
    int zeroChordOneIn = 4;  // chords longer than 66 records with no error at all
    int breakOneIn = 0;      // chords whose error exceeds any threshold (0: none)
    double unit = 1e-3;

    std::uint64_t hash(std::int64_t a, std::int64_t b, std::int64_t m) const {
        return mixBits(seed ^
                       mixBits(static_cast<std::uint64_t>(a) * 1000003u + static_cast<std::uint64_t>(b)) ^
                       (static_cast<std::uint64_t>(m) << 20));
    }

    double error(std::int32_t a, std::int32_t b, std::int32_t m) const {
        const std::int64_t span = b - a;
        const std::uint64_t chord = hash(a, b, -1);
        const bool longSpan = span > 66;
        if (longSpan && chord % static_cast<std::uint64_t>(zeroChordOneIn) == 0) return 0;
        if (breakOneIn > 0 && span > 70 && (chord >> 8) % static_cast<std::uint64_t>(breakOneIn) == 0 &&
            m == a + 1) {
            return 1e9;
        }
        // Errors that grow with the span like real ones, in few levels up to a cap per chord; with
        // a power of two as the unit, scores E / (span - 1)^2 are exact and tie across candidates.
        // Short spans score higher, so that the lowest scores lie past them.
        const std::uint64_t cap = longSpan ? 1 + (chord >> 16) % 3 : 2 + (chord >> 16) % 2;
        const std::uint64_t level = longSpan ? hash(a, b, m) % (cap + 1) : 1 + hash(a, b, m) % cap;
        return unit * static_cast<double>(level) * static_cast<double>((span - 1) * (span - 1));
    }
};

const Table* gTable = nullptr;

// All errors are at most `gLargest` unless the table has breaks, when nothing is bounded.
double gLargest = 0;

struct TableMeasure {
    using Key = TableKey;
    static constexpr int kComponents = 1;
    static constexpr int kPrepared = 0;

    static double component(const Key& k, int /*i*/) { return k.value; }
    static void prepare(const Key& /*k*/, double* /*prepared*/) {}
    static double error(const Key& a, const Key& b, const Key& m, const double* /*prepared*/,
                        double /*lambda*/) {
        return gTable->error(a.frame, b.frame, m.frame);
    }
    static double bound(const double* /*reach*/, const double* /*magnitude*/) { return gLargest; }
};

std::vector<std::int32_t> thinFast(const std::vector<TableKey>& keys, double threshold) {
    std::vector<std::int32_t> frames;
    for (const std::size_t i : detail::Thinning<TableMeasure>(keys, threshold).run())
        frames.push_back(keys[i].frame);
    return frames;
}

std::vector<std::int32_t> thinReference(std::vector<TableKey> keys, float tolerance) {
    reference::thin(keys, tolerance, [](const TableKey& a, const TableKey& b, const TableKey& m) {
        return gTable->error(a.frame, b.frame, m.frame);
    });
    std::vector<std::int32_t> frames;
    for (const TableKey& k : keys) frames.push_back(k.frame);
    return frames;
}

struct SearchCase {
    const char* name;
    int zeroChordOneIn;
    int breakOneIn;
};

void PrintTo(const SearchCase& c, std::ostream* os) {
    *os << c.name;
}

class ThinningSearch : public ::testing::TestWithParam<SearchCase> {};

TEST_P(ThinningSearch, FindsWhatTheLoopAsWrittenFinds) {
    const float tolerance = 8192.0f;
    const double threshold = static_cast<double>(tolerance) * static_cast<double>(tolerance);
    int differences = 0;
    for (std::uint64_t seed = 1; seed <= 60 && differences < 3; ++seed) {
        Table table;
        table.seed = seed;
        table.zeroChordOneIn = GetParam().zeroChordOneIn;
        table.breakOneIn = GetParam().breakOneIn;
        // Every error within the threshold, so the bound may vouch for all; with breaks it vouches
        // for none.
        table.unit = 1.0 / 1024;
        gTable = &table;
        gLargest = table.breakOneIn ? std::numeric_limits<double>::infinity() : threshold;
        const std::size_t n = 120 + static_cast<std::size_t>(seed * 37 % 280);
        std::vector<TableKey> keys(n);
        for (std::size_t i = 0; i < n; ++i) keys[i].frame = static_cast<std::int32_t>(i);
        const std::vector<std::int32_t> fast = thinFast(keys, threshold);
        const std::vector<std::int32_t> slow = thinReference(keys, tolerance);
        if (fast != slow) {
            ++differences;
            ADD_FAILURE() << "seed " << seed << ", n = " << n << ": " << fast.size() << " records kept, "
                          << slow.size() << " expected";
        }
    }
    gTable = nullptr;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ThinningSearch,
    ::testing::Values(SearchCase{"ManyZeroChords", 3, 0}, SearchCase{"FewZeroChords", 40, 0},
                      SearchCase{"NoZeroChords", 1 << 30, 0}, SearchCase{"BreaksAndZeros", 5, 50},
                      SearchCase{"Breaks", 1 << 30, 20}),
    [](const ::testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.name); });

// Scalar errors scaled by hashed fractions, 0 for whole chords: never above the plain scalar
// error, so that the scalar measure's bound stays valid and vouches where the values follow a line.
struct ScaledScalarMeasure {
    using Key = TableKey;
    static constexpr int kComponents = 1;
    static constexpr int kPrepared = 0;

    static double fraction(std::int32_t a, std::int32_t b, std::int32_t m) {
        if (b - a > 66 && gTable->hash(a, b, -1) % static_cast<std::uint64_t>(gTable->zeroChordOneIn) == 0)
            return 0;
        return static_cast<double>(gTable->hash(a, b, m) % 5) / 4;
    }
    static double component(const Key& k, int /*i*/) { return k.value; }
    static void prepare(const Key& /*k*/, double* /*prepared*/) {}
    static double error(const Key& a, const Key& b, const Key& m, const double* /*prepared*/, double lambda) {
        const double d = m.value - detail::interpolate(a.value, b.value, lambda);
        return d * d * std::min(1.0, fraction(a.frame, b.frame, m.frame));
    }
    static double bound(const double* reach, const double* magnitude) {
        return detail::ScalarMeasure::bound(reach, magnitude);
    }
};

TEST(ThinningSearch, BoundsAndEvaluationsMeetZeroChords) {
    int differences = 0;
    for (std::uint64_t seed = 1; seed <= 150 && differences < 3; ++seed) {
        testkit::SequenceMaker make(seed);
        Table table;
        table.seed = seed;
        table.zeroChordOneIn = 1 + static_cast<int>(seed % 7);
        gTable = &table;
        const std::size_t n = static_cast<std::size_t>(make.integer(150, 400));
        std::vector<TableKey> keys(n);
        double value = 0;
        for (std::size_t i = 0; i < n; ++i) {
            value += make.integer(0, 60) == 0 ? make.uniform(-3, 3) : make.normal(0.01);
            keys[i] = {value, static_cast<std::int32_t>(i)};
        }
        const float tolerance = 1.0f;
        std::vector<std::int32_t> fast;
        for (const std::size_t i : detail::Thinning<ScaledScalarMeasure>(keys, 1.0).run())
            fast.push_back(keys[i].frame);
        std::vector<TableKey> expected = keys;
        reference::thin(expected, tolerance, [](const TableKey& a, const TableKey& b, const TableKey& m) {
            return ScaledScalarMeasure::error(a, b, m, nullptr,
                                              reference::lambdaOf(m.frame, a.frame, b.frame));
        });
        std::vector<std::int32_t> slow;
        for (const TableKey& k : expected) slow.push_back(k.frame);
        if (fast != slow) {
            ++differences;
            ADD_FAILURE() << "seed " << seed << ", n = " << n << ": " << fast.size() << " records kept, "
                          << slow.size() << " expected";
        }
    }
    gTable = nullptr;
}

}  // namespace
