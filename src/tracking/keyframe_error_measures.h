#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

#include "tracking/keyframes.h"

// The four error measures of keyframe thinning. `error` is the error of record m against the
// interpolation between records a and b at lambda, with what `prepare` computed once for m; the
// thinning's result depends on these exact values, so every path computes them with these
// functions.
//
// `bound` gives an upper limit of the computed error from `reach` (per value component, a limit of
// |value of m - interpolated value| in exact arithmetic, widened for rounding by the caller) and
// `magnitude` (per component, a limit of every absolute value involved). The limits carry generous
// allowances for rounding, so that a bound at or below the threshold proves that no computed error
// exceeds it.
namespace detail {

inline double interpolate(double a, double b, double lambda) {
    return (1.0 - lambda) * a + lambda * b;
}

struct PointMeasure {
    using Key = PointKey;
    static constexpr int kComponents = 2;
    static constexpr int kPrepared = 0;

    static double component(const Key& k, int i) { return i == 0 ? k.x : k.y; }
    static void prepare(const Key& /*k*/, double* /*prepared*/) {}

    static double error(const Key& a, const Key& b, const Key& m, const double* /*prepared*/, double lambda) {
        const double dx = m.x - interpolate(a.x, b.x, lambda);
        const double dy = m.y - interpolate(a.y, b.y, lambda);
        return dx * dx + dy * dy;
    }

    // Both deviations at most sqrt(t / 2) keep the squared distance within t; either at least
    // sqrt(t) takes it above.
    static double within(double t) { return std::sqrt(t / 2) * (1 - 1e-9); }
    static double beyond(double t) { return std::sqrt(t) * (1 + 1e-9); }

    static double bound(const double* reach, const double* /*magnitude*/) {
        return (reach[0] * reach[0] + reach[1] * reach[1]) * (1 + 1e-12);
    }
};

struct ScalarMeasure {
    using Key = ScalarKey;
    static constexpr int kComponents = 1;
    static constexpr int kPrepared = 0;

    static double component(const Key& k, int /*i*/) { return k.value; }
    static void prepare(const Key& /*k*/, double* /*prepared*/) {}

    // The error is a function of the deviation of m from the interpolation alone.
    static double deviation(const Key& a, const Key& b, const Key& m, double lambda) {
        return m.value - interpolate(a.value, b.value, lambda);
    }
    static double errorOf(double d) { return d * d; }
    static double error(const Key& a, const Key& b, const Key& m, const double* /*prepared*/, double lambda) {
        return errorOf(deviation(a, b, m, lambda));
    }

    // A computed deviation of at most `within(t)` gives an error of at most t; one of at least
    // `beyond(t)` gives an error above t.
    static double within(double t) { return std::sqrt(t) * (1 - 1e-9); }
    static double beyond(double t) { return std::sqrt(t) * (1 + 1e-9); }

    static double bound(const double* reach, const double* /*magnitude*/) {
        return reach[0] * reach[0] * (1 + 1e-12);
    }
};

struct AngleMeasure {
    using Key = ScalarKey;
    static constexpr int kComponents = 1;
    static constexpr int kPrepared = 0;

    static double component(const Key& k, int /*i*/) { return k.value; }
    static void prepare(const Key& /*k*/, double* /*prepared*/) {}

    // How far a computed cosine may be from the true one.
    static constexpr double kCosineError = 1e-15;

    static double deviation(const Key& a, const Key& b, const Key& m, double lambda) {
        return m.value - interpolate(a.value, b.value, lambda);
    }
    static double errorOf(double d) { return 1.0 - std::cos(d); }
    static double error(const Key& a, const Key& b, const Key& m, const double* /*prepared*/, double lambda) {
        return errorOf(deviation(a, b, m, lambda));
    }

    // d^2 / 2 - d^4 / 24 <= 1 - cos d <= d^2 / 2 for every d, so for |d| <= 1 the error grows with
    // |d| up to the cosine's own error: the thinning ranks deviations before it takes cosines.
    // A full turn is no error, so no deviation proves an error above t.
    static double lowestErrorOf(double squared) {
        return 0.5 * squared * (1 - 1e-14) - squared * squared / 20 - kCosineError;
    }
    static double highestErrorOf(double squared) { return 0.5 * squared * (1 + 1e-14) + kCosineError; }
    static double within(double t) {
        if (!(t > 2 * kCosineError)) return 0;
        return std::min(1.0, std::sqrt(2 * (t - kCosineError)) * (1 - 1e-9));
    }
    static double beyond(double /*t*/) { return std::numeric_limits<double>::infinity(); }

    // 1 - cos d <= d^2 / 2 for every d; the cosine itself may be a few units off in its last place.
    static double bound(const double* reach, const double* /*magnitude*/) {
        if (!(reach[0] <= 1)) return std::numeric_limits<double>::infinity();
        return 0.5 * reach[0] * reach[0] * (1 + 1e-12) + kCosineError;
    }
};

// Prepared: the skew matrix a*cos^2(phi), a*sin(phi)*cos(phi), a*sin^2(phi) of the record.
struct SkewPairMeasure {
    using Key = SkewPairKey;
    static constexpr int kComponents = 2;
    static constexpr int kPrepared = 3;

    static void matrix(double a, double phi, double* n) {
        const double c = std::cos(phi);
        const double s = std::sin(phi);
        n[0] = a * (c * c);
        n[1] = a * (s * c);
        n[2] = a * (s * s);
    }

    static double component(const Key& k, int i) { return i == 0 ? k.amount : k.axis; }
    static void prepare(const Key& k, double* prepared) { matrix(k.amount, k.axis, prepared); }

    static double error(const Key& a, const Key& b, const Key& /*m*/, const double* prepared, double lambda) {
        double n[3];
        matrix(interpolate(a.amount, b.amount, lambda), interpolate(a.axis, b.axis, lambda), n);
        const double d00 = prepared[0] - n[0];
        const double d01 = prepared[1] - n[1];
        const double d11 = prepared[2] - n[2];
        const double s0 = d00 + d01;
        const double s1 = d01 + d11;
        const double t0 = d00 - d01;
        const double t1 = d01 - d11;
        return std::max(s0 * s0 + s1 * s1, t0 * t0 + t1 * t1);
    }

    // |N(a1, p1) - N(a2, p2)| <= |a1 - a2| + max|a| * |p1 - p2| in the spectral norm, and each
    // diagonal has length sqrt(2). Sines and cosines of large angles are not trusted.
    static double bound(const double* reach, const double* magnitude) {
        const double amount = magnitude[0];
        const double axis = magnitude[1];
        if (!(axis <= 1e4)) return std::numeric_limits<double>::infinity();
        const double slack = 1e-12 * (1 + amount + amount * axis);
        const double r = reach[0] + amount * reach[1] + slack;
        return 2 * r * r * (1 + 1e-12);
    }
};

}  // namespace detail
