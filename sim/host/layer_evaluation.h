#pragma once

#include "aegp_suites.h"
#include "sim/host/host_model.h"

namespace simhost {

struct Point2 {
    double x = 0;
    double y = 0;
};

// Where the pixel (u, v) of a layer's source shows in the layer's composition at a composition
// time, as the host renders it: the layer's effects in order ("Transform", "Corner Pin"; others
// move nothing), then the layer's own transform (the anchor point moved to Position, scaled and
// rotated about it). Every property takes its value at that time, linear between keyframes.
Point2 evaluateLayerPoint(HostModel& model, int layer, A_Time compTime, Point2 source);

}  // namespace simhost
