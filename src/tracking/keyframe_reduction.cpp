#include "tracking/keyframe_reduction.h"

#include "tracking/keyframe_error_measures.h"
#include "tracking/keyframe_thinning.h"

namespace {

template <class Measure>
void reduce(std::vector<typename Measure::Key>& keys, float tolerance) {
    if (!(tolerance > 0)) return;
    const double limit = static_cast<double>(tolerance);
    const std::vector<std::size_t> kept = detail::Thinning<Measure>(keys, limit * limit).run();
    std::vector<typename Measure::Key> thinned;
    thinned.reserve(kept.size());
    for (const std::size_t i : kept) thinned.push_back(keys[i]);
    keys.swap(thinned);
}

}  // namespace

void reducePoints(PointKeys& keys, float tolerance) {
    reduce<detail::PointMeasure>(keys, tolerance);
}
void reduceAngles(ScalarKeys& keys, float tolerance) {
    reduce<detail::AngleMeasure>(keys, tolerance);
}
void reduceScalars(ScalarKeys& keys, float tolerance) {
    reduce<detail::ScalarMeasure>(keys, tolerance);
}
void reduceSkewPairs(SkewPairKeys& keys, float tolerance) {
    reduce<detail::SkewPairMeasure>(keys, tolerance);
}
