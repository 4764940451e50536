#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "tests/tracking/key_sequences.h"
#include "tests/tracking/reduction_reference.h"
#include "tracking/keyframe_error_measures.h"
#include "tracking/keyframe_thinning.h"

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

    std::uint64_t hash(std::int64_t a, std::int64_t b, std::int64_t m) const {
        return mixBits(seed ^
                       mixBits(static_cast<std::uint64_t>(a) * 1000003u + static_cast<std::uint64_t>(b)) ^
                       (static_cast<std::uint64_t>(m) << 20));
    }
    bool zeroChord(std::int32_t a, std::int32_t b) const {
        return b - a > 66 && hash(a, b, -1) % static_cast<std::uint64_t>(zeroChordOneIn) == 0;
    }

    // Errors that grow with the span like real ones, in few levels up to a cap per chord; with a
    // power of two as the unit, scores E / (span - 1)^2 are exact and tie across candidates. Short
    // spans score higher, so that the lowest scores lie past them.
    double error(std::int32_t a, std::int32_t b, std::int32_t m) const {
        const std::int64_t span = b - a;
        const std::uint64_t chord = hash(a, b, -1);
        if (zeroChord(a, b)) return 0;
        if (breakOneIn > 0 && span > 70 && (chord >> 8) % static_cast<std::uint64_t>(breakOneIn) == 0 &&
            m == a + 1)
            return 1e9;
        const bool longSpan = span > 66;
        const std::uint64_t cap = longSpan ? 1 + (chord >> 16) % 3 : 2 + (chord >> 16) % 2;
        const std::uint64_t level = longSpan ? hash(a, b, m) % (cap + 1) : 1 + hash(a, b, m) % cap;
        return static_cast<double>(level) * static_cast<double>((span - 1) * (span - 1)) / 1024;
    }
};

const Table* gTable = nullptr;
double gLargest = 0;  // every error is at most this, unless the table has breaks

// Errors from the table alone; its bound vouches for every span or, with breaks, for none.
struct TableMeasure {
    using Key = TableKey;
    static constexpr int kComponents = 1;
    static constexpr int kPrepared = 0;
    static double component(const Key& k, int) { return k.value; }
    static void prepare(const Key&, double*) {}
    static double error(const Key& a, const Key& b, const Key& m, const double*, double) {
        return gTable->error(a.frame, b.frame, m.frame);
    }
    static double bound(const double*, const double*) { return gLargest; }
};

// Scalar errors scaled by hashed fractions, 0 for whole chords: never above the plain scalar error,
// so that the scalar measure's bound stays valid and vouches where the values follow a line.
struct ScaledScalarMeasure : TableMeasure {
    static double error(const Key& a, const Key& b, const Key& m, const double*, double lambda) {
        const double fraction = gTable->zeroChord(a.frame, b.frame)
                                    ? 0
                                    : static_cast<double>(gTable->hash(a.frame, b.frame, m.frame) % 5) / 4;
        const double d = m.value - detail::interpolate(a.value, b.value, lambda);
        return d * d * std::min(1.0, fraction);
    }
    static double bound(const double* reach, const double* magnitude) {
        return detail::ScalarMeasure::bound(reach, magnitude);
    }
};

// Frames kept by the fast search and by the loop as written, which must agree.
template <class Measure>
void expectSameAsReference(const std::vector<TableKey>& keys, float tolerance, const std::string& what,
                           int& budget) {
    const double threshold = static_cast<double>(tolerance) * static_cast<double>(tolerance);
    std::vector<std::int32_t> fast;
    for (const std::size_t i : detail::Thinning<Measure>(keys, threshold).run())
        fast.push_back(keys[i].frame);
    std::vector<TableKey> expected = keys;
    reference::thin(expected, tolerance, [](const TableKey& a, const TableKey& b, const TableKey& m) {
        return Measure::error(a, b, m, nullptr, reference::lambdaOf(m.frame, a.frame, b.frame));
    });
    std::vector<std::int32_t> slow;
    for (const TableKey& k : expected) slow.push_back(k.frame);
    if (fast != slow && budget-- > 0) {
        ADD_FAILURE() << what << ", n = " << keys.size() << ": " << fast.size() << " records kept, "
                      << slow.size() << " expected";
    }
}

TEST(ThinningSearch, FindsWhatTheLoopAsWrittenFinds) {
    const struct {
        const char* name;
        int zeroChordOneIn;
        int breakOneIn;
    } cases[] = {{"ManyZeroChords", 3, 0},
                 {"FewZeroChords", 40, 0},
                 {"NoZeroChords", 1 << 30, 0},
                 {"BreaksAndZeros", 5, 50},
                 {"Breaks", 1 << 30, 20}};
    for (const auto& c : cases) {
        int budget = 3;
        for (std::uint64_t seed = 1; seed <= 60; ++seed) {
            const Table table{seed, c.zeroChordOneIn, c.breakOneIn};
            gTable = &table;
            gLargest = table.breakOneIn ? std::numeric_limits<double>::infinity() : 8192.0 * 8192.0;
            std::vector<TableKey> keys(120 + static_cast<std::size_t>(seed * 37 % 280));
            for (std::size_t i = 0; i < keys.size(); ++i) keys[i].frame = static_cast<std::int32_t>(i);
            expectSameAsReference<TableMeasure>(
                keys, 8192.0f, std::string(c.name) + ", seed " + std::to_string(seed), budget);
        }
    }
    gTable = nullptr;
}

TEST(ThinningSearch, BoundsAndEvaluationsMeetZeroChords) {
    int budget = 3;
    for (std::uint64_t seed = 1; seed <= 150; ++seed) {
        testkit::SequenceMaker make(seed);
        const Table table{seed, 1 + static_cast<int>(seed % 7), 0};
        gTable = &table;
        std::vector<TableKey> keys(static_cast<std::size_t>(make.integer(150, 400)));
        double value = 0;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            value += make.integer(0, 60) == 0 ? make.uniform(-3, 3) : make.normal(0.01);
            keys[i] = {value, static_cast<std::int32_t>(i)};
        }
        expectSameAsReference<ScaledScalarMeasure>(keys, 1.0f, "seed " + std::to_string(seed), budget);
    }
    gTable = nullptr;
}

}  // namespace
