#include "plugin/deferred_tasks.h"

#include <string>
#include <vector>

#include "apply/apply_transformations.h"
#include "host/project_query.h"
#include "project/project_import.h"

namespace {

std::size_t framesFootprint(const Transformations& transformations) {
    return transformations.frames.capacity() * sizeof(Transform);
}

std::size_t filesFootprint(const std::vector<std::string>& files) {
    std::size_t bytes = files.capacity() * sizeof(std::string);
    for (const std::string& file : files)
        if (file.size() >= sizeof(std::string)) bytes += file.capacity() + 1;
    return bytes;
}

}  // namespace

// The layer active now takes the result; without one (the user moved on since the result
// arrived) nothing is written.
void ApplyTransformationsTask::execute() {
    applyTransformations(transformations, nullptr, ApplyOptions{true});
}

void ImportProjectTask::execute() {
    if (!IsProjectOpen()) return;
    importProject(project);
}

std::size_t ApplyTransformationsTask::footprint() const {
    return sizeof(*this) + framesFootprint(transformations);
}

std::size_t ImportProjectTask::footprint() const {
    return sizeof(*this) + framesFootprint(project) + filesFootprint(project.underlayFiles) +
           filesFootprint(project.overlay.files) + project.name.capacity() + project.path.capacity();
}
