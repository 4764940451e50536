#include "footage/footage_message.h"

#include "footage/footage_xml.h"
#include "message/xml_archive.h"

void writeFootageMessage(Message& message, FootageMessage footage) {
    message.init(footage.type);
    // The routine serves both directions and so takes its record by reference: taken by value here,
    // a caller that moves its footage in pays for no copy of the file list.
    serializeFootageDescription(XmlArchive::writer(message.root()), footage.description);
}
