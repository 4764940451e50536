#pragma once

#include <vector>

#include "sim/demo/host_transcript.h"
#include "tracking/transformations.h"

namespace demoreport {

// Where the tracked motion puts the corners of a width × height source at a frame: the frame's
// transform after the initial one when tracking, its inverse when compensating. Raises
// std::out_of_range for a frame the motion does not cover.
std::array<Point, 4> trackedCorners(const Transformations& motion, int frame, double width, double height);

// The largest distance in pixels, over the samples and their four corners, between where the
// host shows a corner and where the motion tracked it; 0 without samples.
double largestCornerError(const Transformations& motion, const std::vector<CornerSample>& samples,
                          double width, double height);

}  // namespace demoreport
