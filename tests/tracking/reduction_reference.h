#pragma once

// The keyframe thinning loop exactly as described, with no shortcut: the reference that the
// fast reduction must reproduce record for record. Shared by the tests and the benchmark.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "tracking/keyframes.h"

namespace reference {

inline double lambdaOf(std::int32_t fm, std::int32_t fa, std::int32_t fb) {
    const std::uint32_t num = static_cast<std::uint32_t>(fm) - static_cast<std::uint32_t>(fa);
    const std::uint32_t den = static_cast<std::uint32_t>(fb) - static_cast<std::uint32_t>(fa);
    return static_cast<double>(num) / static_cast<double>(den);
}

inline double mix(double a, double b, double lambda) {
    return (1.0 - lambda) * a + lambda * b;
}

inline double pointError(const PointKey& a, const PointKey& b, const PointKey& m) {
    const double l = lambdaOf(m.frame, a.frame, b.frame);
    const double dx = m.x - mix(a.x, b.x, l);
    const double dy = m.y - mix(a.y, b.y, l);
    return dx * dx + dy * dy;
}

inline double angleError(const ScalarKey& a, const ScalarKey& b, const ScalarKey& m) {
    return 1.0 - std::cos(m.value - mix(a.value, b.value, lambdaOf(m.frame, a.frame, b.frame)));
}

inline double scalarError(const ScalarKey& a, const ScalarKey& b, const ScalarKey& m) {
    const double d = m.value - mix(a.value, b.value, lambdaOf(m.frame, a.frame, b.frame));
    return d * d;
}

// N(a, phi) = a * [[cos^2, sin cos], [sin cos, sin^2]] as its entries xx, xy, yy.
inline std::array<double, 3> skewMatrix(double a, double phi) {
    const double c = std::cos(phi);
    const double s = std::sin(phi);
    return {a * (c * c), a * (s * c), a * (s * s)};
}

inline double skewPairError(const SkewPairKey& a, const SkewPairKey& b, const SkewPairKey& m) {
    const double l = lambdaOf(m.frame, a.frame, b.frame);
    const std::array<double, 3> nm = skewMatrix(m.amount, m.axis);
    const std::array<double, 3> ni = skewMatrix(mix(a.amount, b.amount, l), mix(a.axis, b.axis, l));
    const double d00 = nm[0] - ni[0];
    const double d01 = nm[1] - ni[1];
    const double d11 = nm[2] - ni[2];
    const double plus = (d00 + d01) * (d00 + d01) + (d01 + d11) * (d01 + d11);
    const double minus = (d00 - d01) * (d00 - d01) + (d01 - d11) * (d01 - d11);
    return std::max(plus, minus);
}

template <class Key, class Error>
void thin(std::vector<Key>& s, float tau, Error error) {
    if (!(tau > 0)) return;
    const double t = static_cast<double>(tau) * static_cast<double>(tau);
    const std::size_t n = s.size();
    std::vector<Key> out;
    if (n == 0) {
        s.swap(out);
        return;
    }
    out.push_back(s[0]);
    std::size_t cur = 0;
    if (n >= 3) {
        for (;;) {
            if (cur == n - 1) break;
            std::size_t best = cur + 1;
            double bestScore = std::numeric_limits<double>::max();
            double j = 1;
            double q = 1;
            for (std::size_t c = cur + 2; c <= n - 1; ++c) {
                double e = 0;
                for (std::size_t m = cur + 1; m < c; ++m) {
                    const double em = error(s[cur], s[c], s[m]);
                    if (em > e) e = em;
                }
                if (e > t) break;
                if (e / q < bestScore) {
                    best = c;
                    bestScore = e / q;
                }
                q = q + 2 * j + 1;
                j = j + 1;
            }
            out.push_back(s[best]);
            cur = best;
            if (best == n - 2) break;
        }
    }
    if (cur != n - 1) out.push_back(s[n - 1]);
    s.swap(out);
}

inline void reducePoints(PointKeys& s, float tau) {
    thin(s, tau, pointError);
}
inline void reduceAngles(ScalarKeys& s, float tau) {
    thin(s, tau, angleError);
}
inline void reduceScalars(ScalarKeys& s, float tau) {
    thin(s, tau, scalarError);
}
inline void reduceSkewPairs(SkewPairKeys& s, float tau) {
    thin(s, tau, skewPairError);
}

}  // namespace reference
