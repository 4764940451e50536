#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "footage/footage_description.h"
#include "message/xml_archive.h"
#include "tracking/transformations.h"

// The part of the overlay that is used: frames first (inclusive) to last (exclusive).
struct Trimming {
    std::int32_t first = 0;
    std::int32_t last = 0;
};

// The overlay footage of a project and where it is placed in the composition.
struct ProjectOverlay {
    std::vector<std::string> files;
    std::int32_t sourceOffset = 0;
    Trimming trimming;
};

// A job of the tracking application: its tracking result plus the footage and composition
// it applies to. `path` is the project file (empty for a project pushed over the pipe); it is
// the base of the relative footage paths and gives the default name.
struct Project : Transformations {
    explicit Project(std::string projectPath = std::string());

    std::string name;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t framerate = 30;
    PixelAspectRatio pixelAspectRatio;
    std::vector<std::string> underlayFiles;
    ProjectOverlay overlay;
    std::string path;
};

// Reads or writes a project on the archive's element: the tracking result first, then "Dim",
// "Framerate", "PixelAspectRatio", "Underlay", "Name" and "Overlay". Footage paths are stored
// relative to the project file's directory (absolute for a pushed project, which has no path).
void serializeProject(const XmlArchive& archive, Project& project);

// Reads the project file at `path`; the root element's name is not examined. A file that cannot be
// read or is not well-formed raises xml::parse_error naming the file; missing footage raises the
// path errors, which name the missing path.
Project loadProjectFile(const std::string& path);
