#pragma once

#include <cstdint>
#include <vector>

#include "tracking/transform.h"

enum class Task : std::int32_t { Tracking = 0, Compensation = 1 };

enum class ExportModel : std::int32_t {
    Auto = 0,
    Translation = 1,
    Rigid = 2,
    RigidScale = 3,
    Affine1 = 4,
    Affine2 = 5,
    Affine3 = 6,
    CornerPin = 7,
};

// A tracking result: one transform per frame, frame `first + i` at index i.
struct Transformations {
    std::vector<Transform> frames;
    Transform initial;
    float exportInaccuracy = 0;
    Task task = Task::Tracking;
    ExportModel exportModel = ExportModel::Auto;
    std::int32_t first = 0;
};
