#include "tracking/affine2_model.h"

#include <cmath>

#include "tracking/keyframe_reduction.h"

Affine2Model::Affine2Model() : TransformEffectModel(0.25f, "Affine2", true) {}

Affine2Model::~Affine2Model() = default;

void Affine2Model::decompose(std::int32_t frame, const Transform& m) {
    const double det = m.xx * m.yy - m.xy * m.yx;
    const double scale = std::sqrt(det);
    const double q = (m.xx * m.xx + m.xy * m.xy + m.yx * m.yx + m.yy * m.yy) / det - 2;
    const bool g = m.xx + m.xy - m.yx - m.yy >= 0;
    const double a = q <= 0 ? 0 : g ? -std::sqrt(q) : std::sqrt(q);
    const double sa = m.xx + m.yy;
    const double sb = m.xy - m.yx;
    const double p = a * sa + 2 * sb;
    const double pq = 2 * sa - a * sb;
    const double angle = std::atan2(-p, pq);
    const double sc = m.xy + m.yx;
    const double sd = m.xx - m.yy;
    const double axis = g ? 0.5 * std::atan2(-(sd * pq + sc * p), -(sc * pq - sd * p))
                          : 0.5 * std::atan2(sd * pq + sc * p, sc * pq - sd * p);
    requireFinite(frame, {scale, a, angle, axis});
    verticalScale_.push_back({scale, frame});
    rotation_.push_back({angle, frame});
    skew_.push_back({a, axis, frame});
}

void Affine2Model::thinScales() {
    const double diagonal =
        std::hypot(static_cast<double>(sink().width()), static_cast<double>(sink().height()));
    reduceScalars(verticalScale_, static_cast<float>(2 * weight_ / diagonal * source().exportInaccuracy));
}
