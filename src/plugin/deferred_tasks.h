#pragma once

#include "plugin/deferred_task.h"
#include "project/project_document.h"
#include "tracking/transformations.h"

// Applies a pushed tracking result to the layer active when the task runs.
class ApplyTransformationsTask : public DeferredTask {
public:
    Transformations transformations;
    void execute() override;
    std::size_t footprint() const override;
};

// Imports a pushed project, unless the host project was closed in the meantime.
class ImportProjectTask : public DeferredTask {
public:
    Project project;
    void execute() override;
    std::size_t footprint() const override;
};
