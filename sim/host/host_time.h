#pragma once

#include "aegp_suites.h"

namespace simhost {

// Host times as exact fractions of a second (value / scale, scale never 0).

double timeSeconds(A_Time time);
// -1, 0 or 1 as a is earlier than, equal to or later than b, exactly.
int compareTimes(A_Time a, A_Time b);
// a - b, reduced; exact as long as the result fits the record (it does for times on one scale).
A_Time subtractTimes(A_Time a, A_Time b);

}  // namespace simhost
