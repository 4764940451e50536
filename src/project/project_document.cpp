#include "project/project_document.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "footage/footage_xml.h"
#include "message/xml_tree.h"
#include "support/file_system.h"
#include "support/path_parts.h"
#include "tracking/transformations_xml.h"

namespace {

// A one-file overlay (a movie or a still) lasts as long as the underlay.
Trimming defaultTrimming(const ProjectOverlay& overlay, std::size_t underlayLength) {
    const std::size_t length = overlay.files.size() == 1 ? underlayLength : overlay.files.size();
    return Trimming{0, static_cast<std::int32_t>(length)};
}

void serializeOverlay(const XmlArchive& archive, ProjectOverlay& overlay, const std::string& basePath,
                      std::size_t underlayLength) {
    archive.attribute("SourceOffset", overlay.sourceOffset, 0);
    // A project without overlay frames (a stabilisation) names no overlay directory: a pushed project
    // has no file to resolve an absent one against.
    if (archive.reading() && archive.node().children("Frame").empty()) {
        overlay.files.clear();
    } else {
        FrameListBinding binding{overlay.files, basePath};
        serializeFrameList(archive, binding);
    }

    const Trimming defaults = defaultTrimming(overlay, underlayLength);
    Trimming& trimming = overlay.trimming;
    if (archive.writing() && trimming.first == defaults.first && trimming.last == defaults.last) return;
    archive.child("Trimming", [&](const XmlArchive& element) {
        if (element.reading() && element.node().isNull()) {
            trimming = defaults;
            return;
        }
        // Read as written, even a pair that ends before it starts: the transformations of such a file
        // are still usable; only building its overlay layer refuses it.
        element.attribute("first", trimming.first, 0).attribute("last", trimming.last, 0);
    });
}

}  // namespace

Project::Project(std::string projectPath) : name(fileNameOf(projectPath)), path(std::move(projectPath)) {}

void serializeProject(const XmlArchive& archive, Project& project) {
    serializeTransformations(archive, project);
    archive
        .child("Dim",
               [&project](const XmlArchive& dim) {
                   dim.attribute("sx", project.width, 0u).attribute("sy", project.height, 0u);
               })
        .attribute("Framerate", project.framerate, 30u);
    serializePixelAspectRatio(archive, project.pixelAspectRatio);

    const std::string basePath = directoryOf(project.path);
    archive
        .child("Underlay",
               [&](const XmlArchive& underlay) {
                   FrameListBinding binding{project.underlayFiles, basePath};
                   serializeFrameList(underlay, binding);
               })
        .attribute("Name", project.name, fileNameOf(project.path))
        .child("Overlay", [&](const XmlArchive& overlay) {
            serializeOverlay(overlay, project.overlay, basePath, project.underlayFiles.size());
        });
}

Project loadProjectFile(const std::string& path) {
    Project project(path);
    xml::tree document;
    try {
        document.read(systemPath(path));
    } catch (const xml::parse_error& e) {
        throw xml::parse_error(e.description(), e.offset(), path);  // named as the caller knows it
    }
    serializeProject(XmlArchive::reader(document.root()), project);
    return project;
}
