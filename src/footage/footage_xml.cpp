#include "footage/footage_xml.h"

#include <string>

#include "support/path_parts.h"

void serializePathReference(const XmlArchive& archive, PathReference& reference) {
    archive.attribute("path", reference.path, std::string()).attribute("abs", reference.abs, false);
}

void serializePixelAspectRatio(const XmlArchive& archive, PixelAspectRatio& ratio) {
    if (archive.writing() && isSquare(ratio)) return;
    archive.child("PixelAspectRatio", [&ratio](const XmlArchive& element) {
        if (element.reading() && element.node().isNull()) {
            ratio = PixelAspectRatio();
            return;
        }
        element.required("num", ratio.num).required("den", ratio.den);
    });
}

const XmlArchive& serializeFrameList(const XmlArchive& archive, FrameListBinding& binding) {
    std::vector<std::string>& files = binding.files;
    if (archive.writing()) {
        if (files.empty()) return archive;
        const std::string directory = directoryOf(files.front());
        PathReference reference = makePathReference(directory, binding.basePath);
        serializePathReference(archive, reference);
        return archive.sequence("Frame", files, [&directory](const XmlArchive& frame, std::string& file) {
            PathReference stored = makePathReference(file, directory);
            serializePathReference(frame, stored);
        });
    }
    PathReference reference;
    serializePathReference(archive, reference);
    const std::string directory = resolvePathReference(reference, binding.basePath);
    return archive.sequence("Frame", files, [&directory](const XmlArchive& frame, std::string& file) {
        PathReference stored;
        serializePathReference(frame, stored);
        file = resolvePathReference(stored, directory);
    });
}

void serializeFootageDescription(const XmlArchive& archive, FootageDescription& description) {
    FrameListBinding binding{description.files, std::string()};
    serializeFrameList(archive, binding).attribute("Framerate", description.framerate, 30u);
    serializePixelAspectRatio(archive, description.pixelAspectRatio);
    archive.attribute("StartFrame", description.startFrame, 0);
}
