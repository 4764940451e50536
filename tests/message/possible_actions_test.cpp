#include "message/possible_actions.h"

#include <gtest/gtest.h>

#include <string>

#include "message/message.h"

namespace {

std::string flags(const PossibleActions& a) {
    return std::string() + (a.underlay ? "U" : "-") + (a.overlay ? "O" : "-") + (a.stillOverlay ? "S" : "-") +
           (a.transformations ? "T" : "-") + (a.project ? "P" : "-");
}

PossibleActions read(const std::string& bytes) {
    Message m;
    m.fromBytes(bytes);
    PossibleActions actions;
    actions.underlay = actions.project = true;  // reading sets every flag
    serializePossibleActions(XmlArchive::reader(m.root()), actions);
    return actions;
}

TEST(PossibleActions, TheAnswerCarriesOnlyTheSetFlags) {
    Message m(MessageType::PossibleActions);
    PossibleActions actions;
    actions.overlay = actions.transformations = true;
    serializePossibleActions(XmlArchive::writer(m.root()), actions);
    EXPECT_EQ(
        "<?xml version=\"1.0\"?><Message type=\"PossibleActions\" Overlay=\"1\" Transformations=\"1\"/>",
        m.toBytes());
    EXPECT_EQ("-O-T-", flags(read(m.toBytes())));
    actions.clearAll();
    EXPECT_EQ("-----", flags(actions));
}

TEST(PossibleActions, ReadingIsLenientAndFlagsAreIndependent) {
    const struct {
        const char* bytes;
        const char* flags;
    } cases[] = {{"<Message type='PossibleActions'/>", "-----"},
                 {"<Message type='PossibleActions' StillOverlay='1'/>", "--S--"},
                 {"<Message type='PossibleActions' Overlay='true' Project='1'/>", "----P"},
                 {"<Message type='PossibleActions' Underlay='2' Overlay=' 1 ' Project='0'/>", "-O---"},
                 {"<Message type='PossibleActions' Underlay='01' Transformations='-1'/>", "U----"}};
    for (const auto& c : cases) EXPECT_EQ(c.flags, flags(read(c.bytes))) << c.bytes;
}

}  // namespace
