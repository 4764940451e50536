#include "message/message.h"

#include <utility>

#include "message/bad_message.h"
#include "message/xml_archive.h"

Message::Message() = default;

Message::Message(MessageType type) {
    init(type);
}

Message::~Message() = default;

void Message::init(MessageType type) {
    if (!document_) document_.reset(new xml::tree);
    document_->create("Message");
    document_->root().set("type", type);
    type_ = type;
}

void Message::clear() {
    document_.reset();
    type_ = MessageType::Empty;
}

xml::node Message::root() const {
    return document_ ? document_->root() : xml::node();
}

std::string Message::toBytes() const {
    return document_ ? document_->text() : std::string();
}

void Message::fromBytes(const char* data, std::size_t size) {
    std::unique_ptr<xml::tree> received(new xml::tree);
    received->parse(data, size);
    const MessageType type = received->root().get<MessageType>("type");
    document_ = std::move(received);
    type_ = type;
}

void Message::fromBytes(std::string&& bytes) {
    std::unique_ptr<xml::tree> received(new xml::tree);
    received->parse(std::move(bytes));
    const MessageType type = received->root().get<MessageType>("type");
    document_ = std::move(received);
    type_ = type;
}

void Message::throwUnexpected() const {
    if (type_ != MessageType::Error) throw SK::BadMessage("BadMessage");
    std::string what;
    XmlArchive::reader(root()).attribute("what", what, std::string());
    throw SK::BadMessage(what);
}

void writeErrorMessage(Message& message, const std::string& what) {
    message.init(MessageType::Error);
    std::string text = what;
    XmlArchive::writer(message.root()).attribute("what", text, std::string());
}
