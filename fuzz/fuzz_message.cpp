// Arbitrary bytes as a received pipe frame: parsing either succeeds or raises an xml:: error, and every
// record of the message then reads without fault and writes a text that reads back the same, whether
// written through a document or straight to text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "message/bad_message.h"
#include "message/message.h"
#include "message/possible_actions.h"
#include "tracking/transformations_xml.h"

namespace {

std::string written(Transformations& t) {
    Message m(MessageType::Transformations);
    serializeTransformations(XmlArchive::writer(m.root()), t);
    return m.toBytes();
}

Transformations readBack(const std::string& bytes) {
    Message m;
    m.fromBytes(bytes);
    Transformations t;
    serializeTransformations(XmlArchive::reader(m.root()), t);
    return t;
}

void readEveryRecord(const Message& message) {
    PossibleActions actions;
    serializePossibleActions(XmlArchive::reader(message.root()), actions);

    Transformations t;
    try {
        serializeTransformations(XmlArchive::reader(message.root()), t);
    } catch (const xml::ambiguous&) {
        return;  // two InitialTransform elements
    }
    // Once through its text, a record stays the same: a value whose text is its default's (1.0000000001
    // is written as 1) settles after the first pass.
    const std::string once = written(t);
    // Straight to text, the same bytes as through a document.
    const std::string streamed = messageBytes(MessageType::Transformations,
                                              [&t](const XmlArchive& a) { serializeTransformations(a, t); });
    if (streamed != once) std::abort();
    Transformations back = readBack(once);
    const std::string twice = written(back);
    Transformations again = readBack(twice);
    if (written(again) != twice || back.frames.size() != t.frames.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Message message;
    try {
        message.fromBytes(reinterpret_cast<const char*>(data), size);
    } catch (const xml::exception&) {
        if (message.hasDocument()) std::abort();  // a failed parse leaves the message as it was
        return 0;
    }
    readEveryRecord(message);
    try {
        message.throwUnexpected();
    } catch (const SK::BadMessage&) {
    }
    return 0;
}
