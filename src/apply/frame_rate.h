#pragma once

#include <cstdint>

#include "ae_types.h"

// A composition's frame rate as the exact fraction num / den frames per second. The host gives
// the rate as a double; NTSC rates such as 29.97 stand for 30000 / 1001.
struct FrameRate {
    std::int64_t num = 0;
    std::int64_t den = 1;
};

// Whole numbers and the x/1001 rates first, then a fraction with a small denominator that gives
// the same double, else the rate to a thousandth. Raises std::runtime_error for a rate that is
// not a positive finite number of frames per second.
FrameRate frameRateOf(double fps);

// The exact host time of frame `frame`: value frame * den on the scale num (so at whole-number
// rates frame f / rate). Raises std::runtime_error when the time does not fit the host's record.
A_Time frameTime(std::int32_t frame, FrameRate rate);

// The number of whole frames (toward zero) in a time, exactly, clamped to 32 bits.
std::int32_t framesIn(A_Time time, FrameRate rate);
// The same for the sum of two times.
std::int32_t framesIn(A_Time a, A_Time b, FrameRate rate);

// The first frame whose time is not earlier than the time (rounded up), exactly, clamped to 32
// bits: the first frame shown by something that starts then.
std::int32_t firstFrameAt(A_Time time, FrameRate rate);
// The same for the sum of two times: the first frame no longer shown by something that ends then.
std::int32_t firstFrameAt(A_Time a, A_Time b, FrameRate rate);
