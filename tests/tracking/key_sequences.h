#pragma once

// Random keyframe sequences of the shapes that stress keyframe thinning: exact zeros, exact lines
// (with and without rounding in their values), noisy lines, curves, steps, walks and mostly still
// motion, on consecutive frames or frames with gaps. Deterministic for a given generator.

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace testkit {

enum class Shape {
    Still,
    DyadicLine,
    DecimalLine,
    NoisyLine,
    Curve,
    Steps,
    Walk,
    MostlyStill,
    Wrapped,
    Jitter,
    Quantized,
    OneStep
};

inline const char* shapeName(Shape s) {
    static const char* const names[] = {"Still",   "DyadicLine", "DecimalLine", "NoisyLine",
                                        "Curve",   "Steps",      "Walk",        "MostlyStill",
                                        "Wrapped", "Jitter",     "Quantized",   "OneStep"};
    return names[static_cast<int>(s)];
}

class SequenceMaker {
public:
    explicit SequenceMaker(std::uint64_t seed) : rng_(seed) {}

    std::mt19937_64& rng() { return rng_; }

    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
    int integer(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    double normal(double sigma) { return std::normal_distribution<double>(0.0, sigma)(rng_); }

    Shape shape() { return static_cast<Shape>(integer(0, 11)); }

    // Strictly increasing frames: consecutive or with gaps, from a start that is sometimes near
    // the lower end of the 32-bit range.
    std::vector<std::int32_t> frames(std::size_t n) {
        std::vector<std::int32_t> out(n);
        const int startKind = integer(0, 3);
        std::int64_t f = startKind == 0   ? 0
                         : startKind == 1 ? integer(-500, 500)
                         : startKind == 2 ? std::int64_t{std::numeric_limits<std::int32_t>::min()}
                                          : integer(0, 100000);
        const bool gaps = integer(0, 3) == 0;
        for (std::size_t i = 0; i < n; ++i) {
            out[i] = static_cast<std::int32_t>(f);
            f += gaps ? integer(1, 4) : 1;
        }
        return out;
    }

    // One component over the given frames; `scale` is the size of motion that matters (about the
    // tolerance).
    std::vector<double> values(Shape s, const std::vector<std::int32_t>& frames, double scale) {
        const std::size_t n = frames.size();
        std::vector<double> v(n);
        const double base = std::round(uniform(-500, 500));
        const double start = n ? static_cast<double>(frames[0]) : 0;
        const double noise = scale * std::pow(10.0, -integer(0, 9));
        const double decimalSlope = scale * (integer(-30, 30) * 0.1 + 0.037);
        const double dyadicSlope = scale * integer(-16, 16) / 8.0;
        const double amplitude = scale * uniform(0.5, 40);
        const double period = uniform(5, 200);
        const double stepAt = uniform(5, 300);
        const double step = scale * uniform(-3, 3);
        double walk = base;
        double level = base;
        for (std::size_t i = 0; i < n; ++i) {
            const double t = static_cast<double>(frames[i]) - start;
            switch (s) {
                case Shape::Still:
                    v[i] = base + 0.25;
                    break;
                case Shape::DyadicLine:
                    v[i] = base + std::round(dyadicSlope * 8) / 8 * t;
                    break;
                case Shape::DecimalLine:
                    v[i] = base + decimalSlope * t;
                    break;
                case Shape::NoisyLine:
                    v[i] = base + decimalSlope * t + normal(noise);
                    break;
                case Shape::Curve:
                    v[i] = base + amplitude * std::sin(t / period) + normal(noise);
                    break;
                case Shape::Steps:
                    if (integer(0, 15) == 0) level += scale * uniform(-4, 4);
                    v[i] = level;
                    break;
                case Shape::Walk:
                    walk += normal(scale * 0.3);
                    v[i] = walk;
                    break;
                case Shape::MostlyStill:
                    v[i] = integer(0, 20) == 0 ? base + normal(scale) : base;
                    break;
                case Shape::Wrapped:
                    v[i] = base + decimalSlope * t + (integer(0, 10) == 0 ? 2 * 3.141592653589793 : 0);
                    break;
                // Near where 1 - cos(d) rounds to 0: some spans have no error at all, others do.
                case Shape::Jitter:
                    v[i] = 0.5 + normal(3e-8);
                    break;
                // Errors that take few distinct values, so that scores tie.
                case Shape::Quantized:
                    v[i] = std::round((base + decimalSlope * t + normal(scale)) * 4 / scale) * scale / 4;
                    break;
                // A line with one step: long spans score best, so where a span ends decides.
                case Shape::OneStep:
                    v[i] = base + decimalSlope * t + (t > stepAt ? step : 0) + normal(noise * 1e-3);
                    break;
            }
        }
        return v;
    }

private:
    std::mt19937_64 rng_;
};

}  // namespace testkit
