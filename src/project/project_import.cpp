#include "project/project_import.h"

#include "apply/apply_transformations.h"

CompositionImport compositionOf(const Project& project) {
    CompositionImport what;
    what.name = project.name;
    what.width = project.width;
    what.height = project.height;
    what.framerate = project.framerate;
    what.pixelAspectRatio = project.pixelAspectRatio;
    what.underlayFiles = project.underlayFiles;
    what.overlayFiles = project.overlay.files;
    what.sourceOffset = project.overlay.sourceOffset;
    what.trimFirst = project.overlay.trimming.first;
    what.trimLast = project.overlay.trimming.last;
    what.task = project.task;
    return what;
}

AEGP_ItemH importProject(const Project& project, const ApplyToLayer& apply) {
    return importComposition(compositionOf(project), apply);
}

AEGP_ItemH importProject(const Project& project) {
    return importProject(project, [&project](AEGP_LayerH layer) { applyTransformations(project, layer); });
}
