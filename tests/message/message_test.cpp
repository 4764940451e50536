#include "message/message.h"

#include <gtest/gtest.h>

#include <string>

#include "message/bad_message.h"
#include "message/xml_archive.h"

namespace {

std::string badMessageText(const Message& reply) {
    try {
        reply.throwUnexpected();
    } catch (const SK::BadMessage& e) {
        return e.what();
    }
    return "(nothing raised)";
}

TEST(Message, InitMakesABodilessMessageThatRoundTrips) {
    Message none;  // without document: no bytes at all
    EXPECT_EQ(MessageType::Empty, none.type());
    EXPECT_TRUE(none.root().isNull());
    EXPECT_EQ("", none.toBytes());
    for (MessageType type :
         {MessageType::Empty, MessageType::Error, MessageType::Underlay, MessageType::Overlay,
          MessageType::Transformations, MessageType::Project, MessageType::PossibleActions}) {
        Message sent(type);
        EXPECT_TRUE(sent.hasDocument());
        Message received;
        received.fromBytes(sent.toBytes());
        EXPECT_EQ(type, received.type());
        EXPECT_EQ("Message", received.root().name());
        EXPECT_TRUE(received.root().children("").empty());
    }
}

TEST(Message, InitTwiceKeepsOnlyTheSecondRoot) {
    Message m(MessageType::Overlay);
    m.root().set("Framerate", 25);
    m.root().addChild("Frame");
    m.init(MessageType::Error);
    EXPECT_EQ(MessageType::Error, m.type());
    EXPECT_EQ("Error", m.root().get<std::string>("type"));
    std::string text;
    EXPECT_FALSE(m.root().attribute("Framerate", text));
    EXPECT_TRUE(m.root().children("").empty());
    Message back;
    back.fromBytes(m.toBytes());
    EXPECT_EQ(MessageType::Error, back.type());
    m.clear();
    EXPECT_EQ(MessageType::Empty, m.type());
    EXPECT_EQ("", m.toBytes());
}

TEST(Message, BadTypesAreRejectedAndTheMessageStays) {
    const struct {
        const char* bytes;
        const char* error;
    } cases[] = {{"<Message type='overlay'/>", "attribute parse error"},
                 {"<Message type='Sideways'/>", "attribute parse error"},
                 {"<Message/>", "attribute not found"},
                 {"<Message type='Overlay'>", nullptr}};
    for (const auto& c : cases) {
        Message m(MessageType::Project);
        try {
            m.fromBytes(std::string(c.bytes));
            ADD_FAILURE() << c.bytes;
        } catch (const xml::exception& e) {
            if (c.error) {
                EXPECT_STREQ(c.error, e.what());
            }
        }
        EXPECT_EQ(MessageType::Project, m.type());
        EXPECT_EQ("Project", m.root().get<std::string>("type"));
    }
    // The root's name is not examined.
    Message any;
    any.fromBytes(std::string("<Reply type=' Overlay extra'/>"));
    EXPECT_EQ(MessageType::Overlay, any.type());
}

TEST(Message, UnexpectedRepliesBecomeBadMessage) {
    Message error;
    error.fromBytes(std::string("<Message type='Error'/>"));
    EXPECT_EQ("", badMessageText(error));

    writeErrorMessage(error, "unknown message");
    Message received;
    received.fromBytes(error.toBytes());
    EXPECT_EQ("unknown message", badMessageText(received));

    writeErrorMessage(error, "");
    std::string text;
    EXPECT_FALSE(error.root().attribute("what", text));

    EXPECT_EQ("BadMessage", badMessageText(Message(MessageType::Overlay)));
    EXPECT_EQ("BadMessage", badMessageText(Message()));
}

}  // namespace
