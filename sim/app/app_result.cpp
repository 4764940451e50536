#include "app/app_result.h"

#include "message/message.h"
#include "message/xml_archive.h"
#include "message/xml_tree.h"
#include "tracking/transformations_xml.h"

namespace simapp {

AppResult AppResult::fromProjectFile(const std::string& path) {
    xml::tree document;
    document.read(path);
    // A project's element starts with the fields of its tracking result.
    Transformations transformations;
    serializeTransformations(XmlArchive::reader(document.root()), transformations);
    AppResult result = fromTransformations(transformations);
    document.root().setAttribute("type", "Project");
    result.project_ = document.text();
    return result;
}

AppResult AppResult::fromTransformations(const Transformations& transformations) {
    Message message(MessageType::Transformations);
    Transformations copy = transformations;
    serializeTransformations(XmlArchive::writer(message.root()), copy);
    AppResult result;
    result.transformations_ = message.toBytes();
    return result;
}

}  // namespace simapp
