#pragma once

#include "message/xml_archive.h"
#include "tracking/transformations.h"

namespace xml {
template <>
struct name_table<Task> {
    static constexpr const char* names[] = {"Tracking", "Compensation"};
};

template <>
struct name_table<ExportModel> {
    static constexpr const char* names[] = {"Auto",    "Translation", "Rigid",   "RigidScale",
                                            "Affine1", "Affine2",     "Affine3", "CornerPin"};
};
}  // namespace xml

// Reads or writes the six attributes "x", "y", "xx", "xy", "yx", "yy" of a transform element, each
// written only when it differs from the identity.
void serializeTransform(const XmlArchive& archive, Transform& transform);

// Reads or writes a tracking result on the archive's element: "first", the "InitialTransform" child
// (only when not the identity), one "Transform" child per frame, "ExportInaccuracy", "Task" and
// "ExportModel". Reading never fails for a malformed value: it takes the default.
void serializeTransformations(const XmlArchive& archive, Transformations& transformations);
