#include "tracking/transformations_xml.h"

void serializeTransform(const XmlArchive& archive, Transform& transform) {
    archive.attribute("x", transform.x, 0.0)
        .attribute("y", transform.y, 0.0)
        .attribute("xx", transform.xx, 1.0)
        .attribute("xy", transform.xy, 0.0)
        .attribute("yx", transform.yx, 0.0)
        .attribute("yy", transform.yy, 1.0);
}

void serializeTransformations(const XmlArchive& archive, Transformations& transformations) {
    archive.attribute("first", transformations.first, 0);
    if (archive.reading() || !transformations.initial.isIdentity()) {
        archive.child("InitialTransform", [&](const XmlArchive& element) {
            serializeTransform(element, transformations.initial);
        });
    }
    archive.sequence("Transform", transformations.frames, serializeTransform)
        .attribute("ExportInaccuracy", transformations.exportInaccuracy, 0.0f)
        .attribute("Task", transformations.task, Task::Tracking)
        .attribute("ExportModel", transformations.exportModel, ExportModel::Auto);
}
