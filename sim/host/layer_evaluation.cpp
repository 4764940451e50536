#include "sim/host/layer_evaluation.h"

#include <cmath>
#include <vector>

#include "sim/host/animated_streams.h"
#include "sim/host/host_time.h"

namespace simhost {

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

Point2 rotate(Point2 p, double degrees) {
    const double c = std::cos(degrees * kRadiansPerDegree);
    const double s = std::sin(degrees * kRadiansPerDegree);
    return {c * p.x - s * p.y, s * p.x + c * p.y};
}

class PropertyReader {
public:
    PropertyReader(HostModel& model, int layer, A_Time layerTime)
        : model_(model), layer_(layer), time_(layerTime) {}

    std::vector<double> value(int effect, int index) const {
        std::vector<double> v = valueAt(model_, StreamTarget{layer_, effect, index}, time_);
        v.resize(2, 0.0);
        return v;
    }
    Point2 point(int effect, int index) const {
        const std::vector<double> v = value(effect, index);
        return {v[0], v[1]};
    }
    double scalar(int effect, int index) const { return value(effect, index)[0]; }

private:
    HostModel& model_;
    int layer_;
    A_Time time_;
};

// Anchor to Position, scaled, rotated, then skewed along the skew axis.
Point2 applyTransformEffect(const PropertyReader& read, int effect, Point2 p) {
    namespace te = transform_effect;
    const Point2 anchor = read.point(effect, te::AnchorPoint);
    const Point2 position = read.point(effect, te::Position);
    const double height = read.scalar(effect, te::ScaleHeight) / 100;
    const double width =
        read.scalar(effect, te::UniformScale) != 0 ? height : read.scalar(effect, te::ScaleWidth) / 100;
    Point2 d{(p.x - anchor.x) * width, (p.y - anchor.y) * height};
    d = rotate(d, read.scalar(effect, te::Rotation));
    const double axis = read.scalar(effect, te::SkewAxis);
    d = rotate(d, axis);
    d.y += std::tan(read.scalar(effect, te::Skew) * kRadiansPerDegree) * d.x;
    d = rotate(d, -axis);
    return {position.x + d.x, position.y + d.y};
}

// The projective map that takes the source's corners to the four pins.
Point2 applyCornerPin(const PropertyReader& read, int effect, Point2 p, double width, double height) {
    if (width <= 0 || height <= 0) return p;
    const Point2 p0 = read.point(effect, corner_pin::UpperLeft);
    const Point2 p1 = read.point(effect, corner_pin::UpperRight);
    const Point2 p2 = read.point(effect, corner_pin::LowerRight);
    const Point2 p3 = read.point(effect, corner_pin::LowerLeft);
    const double sx = p0.x - p1.x + p2.x - p3.x;
    const double sy = p0.y - p1.y + p2.y - p3.y;
    double g = 0;
    double h = 0;
    if (sx != 0 || sy != 0) {
        const double dx1 = p1.x - p2.x, dx2 = p3.x - p2.x, dy1 = p1.y - p2.y, dy2 = p3.y - p2.y;
        const double den = dx1 * dy2 - dx2 * dy1;
        if (den != 0) {
            g = (sx * dy2 - dx2 * sy) / den;
            h = (dx1 * sy - sx * dy1) / den;
        }
    }
    const double a = p1.x - p0.x + g * p1.x, b = p3.x - p0.x + h * p3.x;
    const double d = p1.y - p0.y + g * p1.y, e = p3.y - p0.y + h * p3.y;
    const double u = p.x / width, v = p.y / height;
    const double w = g * u + h * v + 1;
    return {(a * u + b * v + p0.x) / w, (d * u + e * v + p0.y) / w};
}

}  // namespace

Point2 evaluateLayerPoint(HostModel& model, int layerId, A_Time compTime, Point2 p) {
    const Layer* layer = model.layer(layerId);
    if (layer == nullptr) return p;
    const PropertyReader read(model, layerId, subtractTimes(compTime, layer->offset));
    const Item* source = model.item(layer->source);
    const double width = source != nullptr ? source->width : 0;
    const double height = source != nullptr ? source->height : 0;
    for (int effectId : layer->effects) {
        const Effect* effect = model.effect(effectId);
        if (effect == nullptr) continue;
        if (effect->name == "Transform") p = applyTransformEffect(read, effectId, p);
        if (effect->name == "Corner Pin") p = applyCornerPin(read, effectId, p, width, height);
    }
    const Point2 anchor = read.point(0, AEGP_LayerStream_ANCHORPOINT);
    const Point2 position = read.point(0, AEGP_LayerStream_POSITION);
    const Point2 scale = read.point(0, AEGP_LayerStream_SCALE);
    Point2 d{(p.x - anchor.x) * scale.x / 100, (p.y - anchor.y) * scale.y / 100};
    d = rotate(d, read.scalar(0, AEGP_LayerStream_ROTATION));
    return {position.x + d.x, position.y + d.y};
}

}  // namespace simhost
