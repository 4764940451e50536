#include "apply/frame_rate.h"

#include <cmath>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <string>

namespace {

std::int32_t clampToInt32(long double frames) {
    if (frames >= static_cast<long double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (frames <= static_cast<long double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(frames);
}

std::int32_t clampToInt32(std::int64_t frames) {
    if (frames > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (frames < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(frames);
}

enum class Rounding { TowardZero, Up };

// value * num / (scale * den) rounded, exactly when the products fit 64 bits, else in long double.
std::int32_t framesOf(std::int64_t value, std::uint64_t scale, FrameRate rate, Rounding rounding) {
    std::int64_t numerator = 0;
    std::int64_t denominator = 0;
    if (scale <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) &&
        !__builtin_mul_overflow(value, rate.num, &numerator) &&
        !__builtin_mul_overflow(static_cast<std::int64_t>(scale), rate.den, &denominator)) {
        const std::int64_t whole = numerator / denominator;
        const bool up = rounding == Rounding::Up && numerator > 0 && numerator % denominator != 0;
        return clampToInt32(up ? whole + 1 : whole);
    }
    const long double frames =
        static_cast<long double>(value) * rate.num / (static_cast<long double>(scale) * rate.den);
    return clampToInt32(rounding == Rounding::Up ? std::ceil(frames) : std::trunc(frames));
}

}  // namespace

FrameRate frameRateOf(double fps) {
    if (!std::isfinite(fps) || fps < 0.001 || fps > 1000000)
        throw std::runtime_error("The composition's frame rate " + std::to_string(fps) + " is not usable.");
    const double whole = std::round(fps);
    if (std::fabs(fps - whole) <= 1e-9 * whole) return {static_cast<std::int64_t>(whole), 1};
    const double ntsc = std::round(fps * 1.001);
    if (ntsc >= 1 && std::fabs(fps * 1.001 - ntsc) <= 2e-6 * ntsc)
        return {static_cast<std::int64_t>(ntsc) * 1000, 1001};
    for (std::int64_t den = 2; den <= 1000; ++den) {
        const double num = std::round(fps * static_cast<double>(den));
        if (num >= 1 && static_cast<double>(num) / static_cast<double>(den) == fps)
            return {static_cast<std::int64_t>(num), den};
    }
    const std::int64_t thousandths = static_cast<std::int64_t>(std::llround(fps * 1000));
    const std::int64_t common =
        static_cast<std::int64_t>(std::gcd(static_cast<std::uint64_t>(thousandths), 1000));
    return {thousandths / common, 1000 / common};
}

A_Time frameTime(std::int32_t frame, FrameRate rate) {
    std::int64_t value = 0;
    if (__builtin_mul_overflow(static_cast<std::int64_t>(frame), rate.den, &value) ||
        value > std::numeric_limits<A_long>::max() || value < std::numeric_limits<A_long>::min() ||
        rate.num > static_cast<std::int64_t>(std::numeric_limits<A_u_long>::max()))
        throw std::runtime_error("Frame " + std::to_string(frame) + " at " + std::to_string(rate.num) + "/" +
                                 std::to_string(rate.den) + " frames per second has no host time.");
    return {static_cast<A_long>(value), static_cast<A_u_long>(rate.num)};
}

namespace {

void requireScale(A_Time time) {
    if (time.scale == 0) throw std::runtime_error("The host gave a layer time without a time scale.");
}

std::int32_t framesOf(A_Time time, FrameRate rate, Rounding rounding) {
    requireScale(time);
    return framesOf(time.value, time.scale, rate, rounding);
}

std::int32_t framesOf(A_Time a, A_Time b, FrameRate rate, Rounding rounding) {
    requireScale(a);
    requireScale(b);
    // On a common scale: the least common multiple of both, which fits 64 bits.
    const std::uint64_t scale = static_cast<std::uint64_t>(a.scale) / std::gcd(a.scale, b.scale) * b.scale;
    const std::int64_t left = static_cast<std::int64_t>(a.value) * static_cast<std::int64_t>(scale / a.scale);
    const std::int64_t right =
        static_cast<std::int64_t>(b.value) * static_cast<std::int64_t>(scale / b.scale);
    std::int64_t value = 0;
    if (!__builtin_add_overflow(left, right, &value)) return framesOf(value, scale, rate, rounding);
    const long double seconds =
        static_cast<long double>(a.value) / a.scale + static_cast<long double>(b.value) / b.scale;
    const long double frames = seconds * rate.num / rate.den;
    return clampToInt32(rounding == Rounding::Up ? std::ceil(frames) : std::trunc(frames));
}

}  // namespace

std::int32_t framesIn(A_Time time, FrameRate rate) {
    return framesOf(time, rate, Rounding::TowardZero);
}

std::int32_t framesIn(A_Time a, A_Time b, FrameRate rate) {
    return framesOf(a, b, rate, Rounding::TowardZero);
}

std::int32_t firstFrameAt(A_Time time, FrameRate rate) {
    return framesOf(time, rate, Rounding::Up);
}

std::int32_t firstFrameAt(A_Time a, A_Time b, FrameRate rate) {
    return framesOf(a, b, rate, Rounding::Up);
}
