#pragma once

#include "project/composition_import.h"
#include "project/project_document.h"

// What importing a project builds in the host: its composition, its footage and their placement.
CompositionImport compositionOf(const Project& project);

// Builds the project in the open host project as one undoable step (see importComposition), with
// `apply` writing the project's tracking result onto the layer its task names. Returns the new
// composition's item, or null when the project has no underlay file.
AEGP_ItemH importProject(const Project& project, const ApplyToLayer& apply);

// The same with the project's tracking result written by the apply driver (progress and Cancel).
AEGP_ItemH importProject(const Project& project);
