#include "plugin/deferred_tasks.h"

#include <stdexcept>

#include "host/project_query.h"
#include "project/project_import.h"

namespace {

// Writing keyframes arrives with the apply driver; until then the user is told, never silently
// left without the tracking result.
void ApplyResultToLayer(const Transformations& result, AEGP_LayerH) {
    if (result.frames.empty()) return;
    throw std::runtime_error("applying transformations is not available in this version");
}

}  // namespace

void ApplyTransformationsTask::execute() {
    ApplyResultToLayer(transformations, nullptr);
}

void ImportProjectTask::execute() {
    if (!IsProjectOpen()) return;
    importProject(project, [this](AEGP_LayerH layer) { ApplyResultToLayer(project, layer); });
}
