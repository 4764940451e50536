#pragma once

#include <cstdint>
#include <memory>

#include "tracking/keyframe_model.h"
#include "tracking/transformations.h"

// A new model of the given kind; none for Auto or a value that names no model.
std::unique_ptr<KeyframeModel> createModel(ExportModel exportModel);

// The simplest of Translation, Rigid, RigidScale and Affine3 that reproduces every frame's
// transform on an item of this size within the record's tolerance (at least 0.01 pixels).
ExportModel automaticExportModel(const Transformations& transformations, std::int32_t width,
                                 std::int32_t height);

// The model the record asks for, or the automatic choice when it asks for Auto (or for no valid
// model). Never none.
std::unique_ptr<KeyframeModel> chooseModel(const Transformations& transformations, std::int32_t width,
                                           std::int32_t height);
