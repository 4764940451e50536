#pragma once

#include <string>
#include <vector>

#include "aegp_suites.h"
#include "sim/host/host_model.h"
#include "sim/host/host_references.h"

namespace simhost {

// What the host knows of an animatable property: its name and how many numbers a value has.
struct StreamShape {
    const char* name = nullptr;  // null: no such property
    int dimensions = 1;
};

StreamShape layerStreamShape(AEGP_LayerStream which);
// The parameters of an installed effect, parameter 1 first; none for effects the host does not
// model ("Transform" and "Corner Pin" are modelled).
std::vector<StreamShape> effectParameterShapes(const std::string& effectName);

// Parameter numbers of the modelled effects.
namespace transform_effect {
enum : int {
    AnchorPoint = 1,
    Position = 2,
    UniformScale = 3,
    ScaleHeight = 4,
    ScaleWidth = 5,
    Skew = 6,
    SkewAxis = 7,
    Rotation = 8,
    Opacity = 9
};
}
namespace corner_pin {
enum : int { UpperLeft = 1, UpperRight = 2, LowerLeft = 3, LowerRight = 4 };
}

// The stream a target names, or null. A layer's own property is made the first time it is asked
// for; an effect's parameters exist from the moment it is applied.
Stream* streamOf(HostModel& model, const StreamTarget& target, bool create);
// A property's value while it has no keyframes: the layer's and the effects' defaults, which
// depend on the size of the layer's source and of its composition.
std::vector<double> defaultValue(HostModel& model, const StreamTarget& target);
// The value at a layer time: linear between keyframes, the first before them, the last after.
std::vector<double> valueAt(const Stream& stream, const std::vector<double>& fallback, A_Time layerTime);
std::vector<double> valueAt(HostModel& model, const StreamTarget& target, A_Time layerTime);

// Puts a keyframe at a layer time, or gives the one already there; its index in time order.
// A new keyframe takes the value the stream had at that time.
int insertKeyframe(Stream& stream, A_Time layerTime, const std::vector<double>& valueThere);

}  // namespace simhost
