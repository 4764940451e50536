#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ae_types.h"
#include "footage/footage_description.h"
#include "tracking/transformations.h"

// What the import of a project builds in the host: a composition with an underlay layer and an
// overlay layer placed on it.
struct CompositionImport {
    std::string name;  // empty: "Skelda Comp"
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t framerate = 30;
    PixelAspectRatio pixelAspectRatio;
    std::vector<std::string> underlayFiles;
    std::vector<std::string> overlayFiles;
    std::int32_t sourceOffset = 0;
    // The overlay's frames used: from first (inclusive) to last (exclusive).
    std::int32_t trimFirst = 0;
    std::int32_t trimLast = 0;
    // Which layer takes the tracking result: the underlay for Compensation, the overlay for Tracking.
    Task task = Task::Tracking;
};

// Writes the tracking result onto one layer of the new composition.
using ApplyToLayer = std::function<void(AEGP_LayerH layer)>;

// The composition's name when the project gives none.
constexpr const char kDefaultCompositionName[] = "Skelda Comp";

// Builds the composition in the open host project in one undo group and selects it; returns its
// item, or null when there is no underlay file (then nothing is done). Without overlay files
// the overlay steps are skipped. Failed host calls raise AE_Exception, renames their rename errors;
// isolated files are back and the undo group is closed on every way out.
AEGP_ItemH importComposition(const CompositionImport& what, const ApplyToLayer& apply);
