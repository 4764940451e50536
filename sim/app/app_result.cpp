#include "sim/app/app_result.h"

#include "footage/path_reference.h"
#include "message/message.h"
#include "message/xml_archive.h"
#include "message/xml_tree.h"
#include "support/path_parts.h"
#include "tracking/transformations_xml.h"

namespace simapp {

namespace {

// A pushed project has no file that relative footage paths could be resolved against, so the
// application sends them absolute.
void makeFootageAbsolute(const xml::node& root, const std::string& projectPath) {
    const std::string base = directoryOf(projectPath);
    for (const char* name : {"Underlay", "Overlay"}) {
        for (xml::node footage : root.children(name)) {
            std::string abs, path;
            if ((footage.attribute("abs", abs) && abs == "1") || !footage.attribute("path", path)) continue;
            footage.setAttribute("path", joinRelativePath(path, base));
            footage.setAttribute("abs", "1");
        }
    }
}

}  // namespace

AppResult AppResult::fromProjectFile(const std::string& path) {
    xml::tree document;
    document.read(path);
    // A project's element starts with the fields of its tracking result.
    Transformations transformations;
    serializeTransformations(XmlArchive::reader(document.root()), transformations);
    AppResult result = fromTransformations(transformations);
    document.root().setAttribute("type", "Project");
    makeFootageAbsolute(document.root(), path);
    result.project_ = document.text();
    return result;
}

AppResult AppResult::fromTransformations(const Transformations& transformations) {
    AppResult result;
    result.setTransformations(transformations);
    return result;
}

void AppResult::setTransformations(const Transformations& transformations) {
    // Written straight to text: a long result would cost several times more through a document.
    Transformations copy = transformations;
    transformations_ = messageBytes(MessageType::Transformations, [&copy](const XmlArchive& archive) {
        serializeTransformations(archive, copy);
    });
}

}  // namespace simapp
