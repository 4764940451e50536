#include "sim/demo/corner_error.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace demoreport {

std::array<Point, 4> trackedCorners(const Transformations& motion, int frame, double width, double height) {
    const long long index = static_cast<long long>(frame) - motion.first;
    if (index < 0 || index >= static_cast<long long>(motion.frames.size()))
        throw std::out_of_range("the motion has no frame " + std::to_string(frame));
    const Transform& f = motion.frames[static_cast<std::size_t>(index)];
    const Transform m = motion.task == Task::Compensation ? inverse(f) : compose(f, motion.initial);
    const Point source[] = {{0, 0}, {width, 0}, {0, height}, {width, height}};
    std::array<Point, 4> corners;
    for (std::size_t i = 0; i < 4; ++i) m.apply(source[i].x, source[i].y, corners[i].x, corners[i].y);
    return corners;
}

double largestCornerError(const Transformations& motion, const std::vector<CornerSample>& samples,
                          double width, double height) {
    double largest = 0;
    for (const CornerSample& sample : samples) {
        const std::array<Point, 4> tracked = trackedCorners(motion, sample.frame, width, height);
        for (std::size_t i = 0; i < 4; ++i)
            largest = std::max(
                largest, std::hypot(sample.corners[i].x - tracked[i].x, sample.corners[i].y - tracked[i].y));
    }
    return largest;
}

}  // namespace demoreport
