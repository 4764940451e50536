#include "plugin/deferred_tasks.h"

#include "apply/apply_transformations.h"
#include "host/project_query.h"
#include "project/project_import.h"

// The layer active now takes the result; without one (the user moved on since the result
// arrived) nothing is written.
void ApplyTransformationsTask::execute() {
    applyTransformations(transformations, nullptr, ApplyOptions{true});
}

void ImportProjectTask::execute() {
    if (!IsProjectOpen()) return;
    importProject(project);
}
