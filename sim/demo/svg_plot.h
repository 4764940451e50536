#pragma once

#include <iosfwd>
#include <vector>

#include "sim/demo/model_report.h"

namespace demoreport {

// An SVG picture with one panel per model, property and value component: the per-frame values
// (grey) beside the kept keyframes joined as the host interpolates them (red), over the frames.
void writeSvgPlot(std::ostream& out, const std::vector<ModelReport>& reports);

}  // namespace demoreport
