#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "message/message_type.h"
#include "message/xml_archive.h"
#include "message/xml_tree.h"

// One pipe message: an owned XML document whose root element carries the "type" attribute, and that
// type decoded. A message without document (type Empty) travels as the empty frame. Bodies are read
// and written by an XmlArchive standing on root().
class Message {
public:
    Message();
    explicit Message(MessageType type);
    ~Message();
    Message(const Message&) = delete;
    Message& operator=(const Message&) = delete;

    // Makes this a fresh bodiless message of that type: root "Message" with type = its name.
    void init(MessageType type);
    // Drops the document; the type becomes Empty.
    void clear();

    MessageType type() const { return type_; }
    bool hasDocument() const { return document_ != nullptr; }
    // The root element; the null node for a message without document.
    xml::node root() const;

    // The document's text; empty for a message without document.
    std::string toBytes() const;
    // Parses a received frame and decodes its type. The parser's xml::parse_error,
    // xml::attribute_not_found (no "type") and xml::attribute_parse_error (a name not in the table)
    // pass out, and the message then stays as it was.
    void fromBytes(const char* data, std::size_t size);
    void fromBytes(const std::string& bytes) { fromBytes(bytes.data(), bytes.size()); }
    // The same, taking the text over: the document is parsed in place (xml::tree::parse), so the
    // text is never held twice. On failure the text is gone and the message stays as it was.
    void fromBytes(std::string&& bytes);

    // For a reply the requester did not expect: raises SK::BadMessage with the "what" text of an Error
    // message (empty when absent), else with "BadMessage".
    [[noreturn]] void throwUnexpected() const;

private:
    std::unique_ptr<xml::tree> document_;
    MessageType type_ = MessageType::Empty;
};

// Makes the message an Error reply carrying the text (written only when not empty).
void writeErrorMessage(Message& message, const std::string& what);

// The text of a message of that type whose body routine(const XmlArchive&) writes: the bytes of
// Message(type), the routine on XmlArchive::writer(root()) and toBytes(), made without a document.
template <class Routine>
std::string messageBytes(MessageType type, Routine&& body) {
    xml::text_writer out("Message");
    out.set("type", type);
    body(XmlArchive::writer(out));
    return out.finish();
}
