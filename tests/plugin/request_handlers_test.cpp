// The application's requests, sent over the plug-in's own pipe to the server the entry started.
#include "plugin/request_handlers.h"

#include <mutex>
#include <string>
#include <vector>

#include "link/error_report.h"
#include "link/pipe.h"
#include "message/possible_actions.h"
#include "plugin/plugin_fixture.h"

namespace {

std::mutex gBoxMutex;
std::vector<std::string> gBoxes;

void recordBox(const std::string& text) {
    std::lock_guard<std::mutex> lock(gBoxMutex);
    gBoxes.push_back(text);
}

class RequestTest : public PluginTest {
protected:
    void SetUp() override {
        gBoxes.clear();
        previousBox = setErrorBox(recordBox);
        PluginTest::SetUp();
        ASSERT_EQ(enter(), 0);
        ASSERT_TRUE(pluginApp().hasServer());
        host->model().newProject();
        root = host->model().rootFolder();
        comp = host->model().addComp("Comp 1", 640, 480, 30.0, {300, 30}, root);
    }

    // Sends a bodiless request of that type over the pipe and parses the reply.
    void ask(MessageType type, Message& reply) {
        Message request(type);
        std::string bytes;
        ClientPipe(kPluginPipeName).transact(request.toBytes(), bytes);
        reply.fromBytes(bytes);
    }
    std::string errorOf(MessageType type) {
        Message reply;
        ask(type, reply);
        if (reply.type() != MessageType::Error) return "no error";
        return reply.root().attributeText("what") ? reply.root().attributeText("what") : "";
    }
    static std::vector<std::string> sequence(int count) {
        std::vector<std::string> files;
        for (int i = 0; i < count; ++i)
            files.push_back("C:\\shots\\a\\shot_" + std::to_string(1000 + i) + ".png");
        return files;
    }

    void TearDown() override {
        PluginTest::TearDown();
        setErrorBox(previousBox);
    }
    std::vector<std::string> boxes() {
        std::lock_guard<std::mutex> lock(gBoxMutex);
        return gBoxes;
    }

    ErrorBoxFunction previousBox = nullptr;
    int root = 0;
    int comp = 0;
};

TEST_F(RequestTest, FootageRequestsAnswerWithTheActiveFootageOrWhyNot) {
    const int still = host->model().addFootage("still", {"C:\\shots\\still.png"}, root);
    const int shot = host->model().addFootage("shot", sequence(50), root);
    const int camera = host->model().addLayer(comp, 0, AEGP_ObjectType_CAMERA);
    struct Case {
        int activeItem, activeLayer;
        MessageType request;
        const char* error;  // null: the footage comes back in a message of the request's type
    } cases[] = {
        {still, 0, MessageType::Underlay, "active footage contains less than 2 frames"},
        {still, 0, MessageType::Overlay, nullptr},
        {shot, 0, MessageType::Underlay, nullptr},
        {shot, 0, MessageType::Overlay, nullptr},
        {0, 0, MessageType::Underlay, "there is no active item"},
        {0, 0, MessageType::Overlay, "there is no active item"},
        {comp, 0, MessageType::Overlay, "active item is not a footage"},
        {comp, camera, MessageType::Underlay, "active item is not a footage"},
    };
    for (const Case& c : cases) {
        host->model().activeItem = c.activeItem;
        host->model().activeLayer = c.activeLayer;
        Message reply;
        ask(c.request, reply);
        if (c.error != nullptr) {
            ASSERT_EQ(reply.type(), MessageType::Error) << c.error;
            EXPECT_STREQ(reply.root().attributeText("what"), c.error);
        } else {
            EXPECT_EQ(reply.type(), c.request) << c.activeItem;
            EXPECT_NE(reply.toBytes().find("shot"), std::string::npos) << reply.toBytes();
        }
    }
    EXPECT_TRUE(host->suites().outstanding().empty());
}

TEST_F(RequestTest, PossibleActionsAreThePlugInsOwn) {
    const int shot = host->model().addFootage("shot", sequence(3), root);
    host->model().activeItem = shot;
    Message reply;
    ask(MessageType::PossibleActions, reply);
    ASSERT_EQ(reply.type(), MessageType::PossibleActions);
    PossibleActions actions;
    serializePossibleActions(XmlArchive::reader(reply.root()), actions);
    EXPECT_TRUE(actions.underlay);
    EXPECT_TRUE(actions.overlay);
    EXPECT_FALSE(actions.stillOverlay);
    EXPECT_FALSE(actions.transformations);
    EXPECT_TRUE(actions.project);
}

TEST_F(RequestTest, TypesWithoutHandlerAreUnknown) {
    for (MessageType type : {MessageType::Empty, MessageType::Error}) {
        Message message(type);
        EXPECT_FALSE(HandleRequest(message));
    }
    EXPECT_EQ(errorOf(MessageType::Error), "unknown message");
}

// A failed host query ends the handler: the application gets "exception occured" and the next
// request is served.
TEST_F(RequestTest, FailedHostQueryIsAnsweredAndServingGoesOn) {
    host->model().activeItem = host->model().addFootage("shot", sequence(3), root);
    host->faults().fail("AEGP_GetActiveItem", 1, -3);
    EXPECT_EQ(errorOf(MessageType::Overlay), "exception occured");
    EXPECT_EQ(errorOf(MessageType::Overlay), "no error");
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_NE(boxes()[0].find("getting active item"), std::string::npos) << boxes()[0];
}

}  // namespace
