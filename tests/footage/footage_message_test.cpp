#include "footage/footage_message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string bodyOf(const Message& message) {
    const std::string text = message.toBytes();
    return text.substr(text.find("<Message"));
}

TEST(FootageMessage, WrittenOnTheMessageRoot) {
    const std::vector<std::string> three = {"C:\\shots\\a\\f0001.png", "C:\\shots\\a\\f0002.png",
                                            "C:\\shots\\a\\f0003.png"};
    const std::vector<std::string> one = {"C:\\shots\\movie.mov"};
    const std::vector<std::string> none;
    const struct {
        FootageMessage footage;
        const char* text;
    } cases[] = {
        {{MessageType::Overlay, {three, 25, {1, 1}, 0}},
         "<Message type=\"Overlay\" path=\"C:\\shots\\a\\\" abs=\"1\" Framerate=\"25\"><Frame "
         "path=\"f0001.png\"/>"
         "<Frame path=\"f0002.png\"/><Frame path=\"f0003.png\"/></Message>"},
        {{MessageType::Underlay, {three, 30, {10, 11}, 100}},
         "<Message type=\"Underlay\" path=\"C:\\shots\\a\\\" abs=\"1\" StartFrame=\"100\"><Frame "
         "path=\"f0001.png\"/>"
         "<Frame path=\"f0002.png\"/><Frame path=\"f0003.png\"/><PixelAspectRatio num=\"10\" den=\"11\"/>"
         "</Message>"},
        {{MessageType::Overlay, {one, 30, {1, 1}, 0}},
         "<Message type=\"Overlay\" path=\"C:\\shots\\\" abs=\"1\"><Frame path=\"movie.mov\"/></Message>"},
        {{MessageType::Underlay, {none, 30, {1, 1}, 0}}, "<Message type=\"Underlay\"/>"},
        {{MessageType::Overlay, {none, 24, {2, 1}, 7}},
         "<Message type=\"Overlay\" Framerate=\"24\" StartFrame=\"7\"><PixelAspectRatio num=\"2\" den=\"1\"/>"
         "</Message>"},
    };
    for (const auto& c : cases) {
        // Whatever the message held is replaced.
        Message message(MessageType::Project);
        message.root().addChild("Dim");
        writeFootageMessage(message, c.footage);
        EXPECT_EQ(message.type(), c.footage.type);
        EXPECT_EQ(bodyOf(message), c.text);
    }
}

}  // namespace
