// Arbitrary bytes as a keyframe sequence of an awkward shape (exact repeats and lines, steps, errors
// right at the tolerance, full turns, tiny and huge magnitudes): the fast reduction must keep exactly
// the records that the loop as written keeps.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "tests/tracking/reduction_reference.h"
#include "tracking/keyframe_reduction.h"

namespace {

constexpr double kTurn = 2 * 3.141592653589793;
// The reference is cubic in the length; past 66 records a span leaves the short loop.
constexpr std::size_t kMostRecords = 200;

struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;

    bool empty() const { return at >= size; }
    std::uint8_t byte() { return at < size ? data[at++] : 0; }
    int signedByte() { return static_cast<std::int8_t>(byte()); }
    template <class T>
    T raw() {
        unsigned char bytes[sizeof(T)];
        for (unsigned char& b : bytes) b = byte();
        T value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }
};

float toleranceFrom(Input& in) {
    static const float kTolerances[] = {0.5f, 0.05f, 2.0f, 1e-4f, 0.01f, 3.0f, 1e-5f, 2e-5f,
                                        0.3f, 1e-3f, 0.1f, 1e-8f, 1.0f,  1e3f, 0.0f,  INFINITY};
    const std::uint8_t pick = in.byte();
    return pick >= 240 ? in.raw<float>() : kTolerances[pick % 16];
}

// Strictly increasing frames: consecutive or with small, rare or huge gaps, from 0, from either end
// of the 32-bit range or from anywhere; the sequence ends where the range does.
std::vector<std::int32_t> framesFrom(Input& in, std::size_t n) {
    const std::uint8_t mode = in.byte();
    const std::int64_t low = INT32_MIN, high = INT32_MAX;
    const int start = mode & 3;
    std::int64_t f = start == 0   ? 0
                     : start == 1 ? low
                     : start == 2 ? high - 2 * static_cast<std::int64_t>(n)
                                  : in.raw<std::int32_t>();
    std::uint32_t state = 2654435761u * (mode + 1u);
    std::vector<std::int32_t> frames;
    while (frames.size() < n && f <= high) {
        frames.push_back(static_cast<std::int32_t>(f));
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const int gaps = (mode >> 2) & 3;
        f += gaps == 0   ? 1
             : gaps == 1 ? 1 + state % 4
             : gaps == 2 ? 1 + (state % 8 == 0)
                         : 1 + state % (1u << 24);
    }
    return frames;
}

// Two value components, built segment by segment along a line per component (at first still); a
// segment changes the first, the second or both.
struct Values {
    std::vector<double> c[2];
    std::size_t size() const { return c[0].size(); }
};

Values valuesFrom(Input& in, const std::vector<std::int32_t>& frames, float tolerance, int kind) {
    const double tau = std::isfinite(tolerance) && tolerance > 0 ? tolerance : 0.0;
    // A deviation whose error is the threshold itself: 1 - cos d = 2 sin^2(d / 2) for angles; a
    // point off in both coordinates by tau / sqrt 2.
    const double near = kind == 2 ? 2 * std::asin(std::min(1.0, tau / std::sqrt(2.0))) : tau;
    double scale = tau > 0 ? tau : 1.0;
    double base[2] = {0, 0}, slope[2] = {0, 0}, from[2] = {0, 0};
    Values out;
    while (out.size() < frames.size() && !in.empty()) {
        const std::uint8_t op = in.byte();
        const int shape = op & 7;
        const std::size_t count = std::min<std::size_t>(1 + in.byte() % 64, frames.size() - out.size());
        const std::size_t first = out.size();
        const int p = in.signedByte();
        const double fine = std::ldexp(1.0, -(in.byte() % 60));
        const bool both = op >> 6 >= 2;
        const auto changes = [&](int k) { return both || op >> 6 == k; };
        // A new slope, exactly dyadic or not, or a step: the line starts again here.
        for (int k = 0; k < 2; ++k) {
            if ((shape != 1 && shape != 2) || !changes(k)) continue;
            base[k] += slope[k] * (frames[first] - from[k]);
            from[k] = frames[first];
            if (shape == 1) slope[k] = (op & 8) ? scale * p / 8 : scale * (p * 0.1 + 0.037);
            if (shape == 2) base[k] += scale * p / 16;
        }
        const double at = both && kind == 0 ? near / std::sqrt(2.0) : near;
        // Off the line: errors at the tolerance, full turns, any double, noise, fine jitter.
        const auto off = [&](std::size_t i, double x) {
            if (shape == 3) return x + (i % 2 ? at * (1 + p * fine) : 0);
            if (shape == 4) return x + kTurn * (in.byte() % 5 - 2.0);
            if (shape == 5) return in.raw<double>();
            if (shape == 6) return x + scale * in.signedByte() / 128;
            if (shape == 7) return x + (i % 2 ? 1 : -1) * scale * fine * p;
            return x;
        };
        for (std::size_t i = first; i < first + count; ++i) {
            for (int k = 0; k < 2; ++k) {
                const double x = base[k] + slope[k] * (frames[i] - from[k]);
                out.c[k].push_back(changes(k) ? off(i - first, x) : x);
            }
        }
        // Magnitudes from 1e-308 to 1e306, past where the fast path gives up (1e100).
        if (op & 32) scale = std::ldexp(1.0, 8 * in.signedByte());
        if ((op & 48) == 48) {
            base[0] = base[1] = scale * in.signedByte();
            slope[0] = slope[1] = 0;
        }
    }
    return out;
}

// The record of each kind from the two components.
struct Make {
    PointKey operator()(PointKey, double x, double y, std::int32_t f) const { return {x, y, f}; }
    ScalarKey operator()(ScalarKey, double x, double, std::int32_t f) const { return {x, f}; }
    SkewPairKey operator()(SkewPairKey, double a, double phi, std::int32_t f) const { return {a, phi, f}; }
};

template <class Key>
int check(void (*fast)(std::vector<Key>&, float), void (*slow)(std::vector<Key>&, float),
          const Values& values, const std::vector<std::int32_t>& frames, float tolerance) {
    std::vector<Key> keys;
    for (std::size_t i = 0; i < values.size(); ++i)
        keys.push_back(Make()(Key{}, values.c[0][i], values.c[1][i], frames[i]));
    std::vector<Key> expected = keys;
    fast(keys, tolerance);
    slow(expected, tolerance);
    // Frames are unique, so the same frames are the same records.
    if (keys.size() != expected.size()) __builtin_trap();
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (keys[i].frame != expected[i].frame) __builtin_trap();
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in{data, size};
    const int kind = in.byte() & 3;
    const float tolerance = toleranceFrom(in);
    const std::vector<std::int32_t> frames = framesFrom(in, in.byte() % (kMostRecords + 1));
    const Values v = valuesFrom(in, frames, tolerance, kind);
    if (kind == 0) return check(reducePoints, reference::reducePoints, v, frames, tolerance);
    if (kind == 1) return check(reduceScalars, reference::reduceScalars, v, frames, tolerance);
    if (kind == 2) return check(reduceAngles, reference::reduceAngles, v, frames, tolerance);
    return check(reduceSkewPairs, reference::reduceSkewPairs, v, frames, tolerance);
}
