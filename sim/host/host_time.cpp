#include "sim/host/host_time.h"

#include <cstdint>
#include <limits>
#include <numeric>

namespace simhost {

namespace {}  // namespace

double timeSeconds(A_Time time) {
    return static_cast<double>(time.value) / static_cast<double>(time.scale);
}

int compareTimes(A_Time a, A_Time b) {
    // |value| < 2^31 and scale < 2^32, so each product fits 63 bits.
    const std::int64_t left = static_cast<std::int64_t>(a.value) * static_cast<std::int64_t>(b.scale);
    const std::int64_t right = static_cast<std::int64_t>(b.value) * static_cast<std::int64_t>(a.scale);
    return left < right ? -1 : left > right ? 1 : 0;
}

A_Time subtractTimes(A_Time a, A_Time b) {
    if (b.value == 0) return a;
    if (a.scale == b.scale) return {a.value - b.value, a.scale};
    const std::uint64_t common = std::gcd(a.scale, b.scale);
    const std::uint64_t scale = static_cast<std::uint64_t>(a.scale) / common * b.scale;
    const std::int64_t value =
        static_cast<std::int64_t>(a.value) * static_cast<std::int64_t>(scale / a.scale) -
        static_cast<std::int64_t>(b.value) * static_cast<std::int64_t>(scale / b.scale);
    const std::uint64_t magnitude = static_cast<std::uint64_t>(value < 0 ? -value : value);
    const std::uint64_t reduce = magnitude == 0 ? scale : std::gcd(magnitude, scale);
    const std::uint64_t reducedScale = scale / reduce;
    const std::int64_t reducedValue = value / static_cast<std::int64_t>(reduce);
    if (reducedScale <= std::numeric_limits<A_u_long>::max() &&
        reducedValue >= std::numeric_limits<A_long>::min() &&
        reducedValue <= std::numeric_limits<A_long>::max())
        return {static_cast<A_long>(reducedValue), static_cast<A_u_long>(reducedScale)};
    // Too fine for the record: the nearest time on the first operand's scale.
    const double seconds = timeSeconds(a) - timeSeconds(b);
    return {static_cast<A_long>(seconds * a.scale + (seconds < 0 ? -0.5 : 0.5)), a.scale};
}

}  // namespace simhost
