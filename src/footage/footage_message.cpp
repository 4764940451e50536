#include "footage/footage_message.h"

#include "footage/footage_xml.h"
#include "message/xml_archive.h"

FootageMessage::FootageMessage(MessageType type, const std::vector<std::string>& files,
                               std::uint32_t framerate, PixelAspectRatio pixelAspectRatio,
                               std::int32_t startFrame)
    : type(type), description{files, framerate, pixelAspectRatio, startFrame} {}

void writeFootageMessage(Message& message, const FootageMessage& footage) {
    message.init(footage.type);
    // The routine serves both directions and so takes its record by reference; writing leaves it unchanged.
    FootageDescription description = footage.description;
    serializeFootageDescription(XmlArchive::writer(message.root()), description);
}
