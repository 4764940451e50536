#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "sim/demo/host_transcript.h"
#include "tracking/transformations.h"

namespace demoreport {

// One animated property of a layer: what the model computed for every frame and the keyframes
// the host holds, both with Sample::time in composition frames.
struct PropertyReport {
    std::string label;  // "Position", "Transform: Skew", ...
    std::vector<Sample> perFrame;
    std::vector<Sample> keyframes;
};

// A tracking result applied to one layer with one export model.
struct ModelReport {
    ExportModel requested = ExportModel::Auto;
    ExportModel used = ExportModel::Auto;  // the automatic choice when Auto was requested
    int layer = 0;
    int frames = 0;  // frames of the layer the motion covers
    double largestCornerError = 0;
    std::vector<PropertyReport> properties;
};

// The name of a model as the XML writes it, and back (std::invalid_argument for an unknown name).
std::string modelName(ExportModel model);
ExportModel modelNamed(const std::string& name);

// Measures a layer that the host animated with `model` against the motion: its keyframes beside
// the per-frame values they replace, and its corners (which the transcript must hold for every
// frame of the layer) against the tracked ones. Frame f of the motion shows at the layer's time f,
// its offset later in the composition. Raises std::runtime_error when the transcript lacks
// the layer, its source or its corners.
ModelReport reportLayer(const HostTranscript& transcript, const Transformations& motion, int layer,
                        ExportModel model);

// A few lines per layer: the largest corner error, then per property how many keyframes replace
// how many per-frame values.
void printModelReports(std::ostream& out, const std::vector<ModelReport>& reports);

// A few lines per composition of the dump: its size and rate, and per layer its source and how
// many keyframes it holds.
void describeCompositions(std::ostream& out, const HostTranscript& transcript);

}  // namespace demoreport
