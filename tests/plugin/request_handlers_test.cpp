// The application's requests, sent over the plug-in's own pipe to the server the entry started.
#include "plugin/request_handlers.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "link/error_report.h"
#include "link/pipe.h"
#include "project/project_document.h"
#include "tests/common/recorded_boxes.h"
#include "tests/link/link_test_kit.h"
#include "tests/plugin/plugin_fixture.h"
#include "tracking/transformations_xml.h"

namespace {

class RequestTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        ASSERT_EQ(enter(), 0);
        ASSERT_TRUE(pluginApp().hasServer());
        // The entry put the host's message box in place; here the boxes are counted instead.
        ASSERT_NE(setErrorBox(nullptr), nullptr);
        recorded.emplace();
        host->model().newProject();
        root = host->model().rootFolder();
        comp = host->model().addComp("Comp 1", 640, 480, 30.0, {300, 30}, root);
    }

    // Sends `request` over the pipe and parses the reply; the Empty reply travels as the empty frame.
    void send(const Message& request, Message& reply) {
        std::string bytes;
        ClientPipe(kPluginPipeName).transact(request.toBytes(), bytes);
        if (bytes.empty())
            reply.clear();
        else
            reply.fromBytes(bytes);
    }
    std::string errorOf(const Message& request) {
        Message reply;
        send(request, reply);
        if (reply.type() != MessageType::Error) return "no error";
        return reply.root().attributeText("what") ? reply.root().attributeText("what") : "";
    }
    // A pushed project named `name` whose underlay is three frames in a directory of its own.
    void projectMessage(const std::string& name, Message& message) {
        const std::string directory = files.file(name);
        std::filesystem::create_directories(directory);
        std::string frames;
        for (int i = 0; i < 3; ++i) {
            const std::string frame = name + "_000" + std::to_string(i) + ".png";
            std::ofstream(files.file(name + "/" + frame)) << i;
            frames += "<Frame path=\"" + frame + "\"/>";
        }
        // A pushed project always carries its overlay.
        std::ofstream(files.file(name + "/logo.png")) << "logo";
        const std::string overlay =
            "<Overlay path=\"" + directory + "/\" abs=\"1\"><Frame path=\"logo.png\"/></Overlay>";
        message.fromBytes("<Message type=\"Project\" Name=\"" + name +
                          "\"><Dim sx=\"64\" sy=\"48\"/><Underlay path=\"" + directory + "/\" abs=\"1\">" +
                          frames + "</Underlay>" + overlay + "</Message>");
    }
    std::vector<std::string> compositionNames() {
        std::vector<std::string> names;
        for (const auto& entry : host->model().items())
            if (entry.second.type == AEGP_ItemType_COMP && entry.first != comp)
                names.push_back(entry.second.name);
        return names;
    }
    static std::vector<std::string> sequence(int count) {
        std::vector<std::string> files;
        for (int i = 0; i < count; ++i)
            files.push_back("C:\\shots\\a\\shot_" + std::to_string(1000 + i) + ".png");
        return files;
    }

    std::vector<std::string> boxes() { return recorded->texts(); }
    void TearDown() override {
        // Before the reset, which leaves the default box in place.
        recorded.reset();
        PluginTest::TearDown();
    }

    testkit::TempDir files;
    std::optional<testkit::RecordedBoxes> recorded;
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
        send(Message(c.request), reply);
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
    host->model().activeItem = host->model().addFootage("shot", sequence(3), root);
    // Underlay, overlay and project; neither a still overlay nor transformations.
    EXPECT_EQ(linktest::flags(linktest::readActions(
                  linktest::ask(kPluginPipeName, linktest::messageBytes(MessageType::PossibleActions)))),
              "11001");
}

TEST_F(RequestTest, TypesWithoutHandlerAreUnknown) {
    for (MessageType type : {MessageType::Empty, MessageType::Error}) {
        Message message(type);
        EXPECT_FALSE(HandleRequest(message));
    }
    EXPECT_EQ(errorOf(Message(MessageType::Error)), "unknown message");
}

// Transformations are queued only for an active layer, with the Empty reply. One the handler
// cannot read is answered "exception occured", queues nothing and is shown once naming what is
// wrong; the next request is served.
TEST_F(RequestTest, TransformationsAreQueuedForTheActiveLayerOrRefused) {
    Message good, broken, reply;
    good.fromBytes("<Message type=\"Transformations\"><Transform x=\"1\"/><Transform x=\"2\"/></Message>");
    EXPECT_EQ(errorOf(good), "there is no active layer");
    const int shot = host->model().addFootage("shot", sequence(3), root);
    host->model().activeItem = comp;
    host->model().activeLayer = host->model().addLayer(comp, shot, AEGP_ObjectType_AV);
    // Values that cannot be read take their defaults; a second initial transform cannot be chosen.
    broken.fromBytes(
        "<Message type=\"Transformations\"><InitialTransform/><InitialTransform x=\"1\"/>"
        "<Transform x=\"1\"/></Message>");
    EXPECT_EQ(errorOf(broken), "exception occured");
    EXPECT_EQ(deferredTaskQueue().size(), 0u);
    // The box follows the reply.
    ASSERT_TRUE(testkit::waitFor([&] { return boxes().size() == 1; }));
    EXPECT_NE(boxes()[0].find("InitialTransform"), std::string::npos) << boxes()[0];
    send(good, reply);
    EXPECT_EQ(reply.type(), MessageType::Empty);
    EXPECT_FALSE(reply.hasDocument());
    EXPECT_EQ(deferredTaskQueue().size(), 1u);
    EXPECT_EQ(boxes().size(), 1u);
}

// Projects are imported one per idle call in arrival order, and only into an open project. While
// the host reaches no idle call the queue takes eight; the ninth is refused with the busy error and
// queues nothing. One left when the project closes is dropped, and none is taken while no project
// is open.
TEST_F(RequestTest, ProjectsAreImportedOnePerIdleCallInArrivalOrderIntoAnOpenProject) {
    std::vector<std::string> names;
    for (int i = 1; i <= 9; ++i) {
        names.push_back("P" + std::to_string(i));
        Message project;
        projectMessage(names.back(), project);
        EXPECT_EQ(errorOf(project), i < 9 ? "no error" : "the host is busy: 8 results wait to be applied");
    }
    names.pop_back();
    EXPECT_EQ(deferredTaskQueue().size(), 8u);
    for (auto imported = names.begin() + 1; imported <= names.end(); ++imported) {
        EXPECT_EQ(host->idle(), 0);
        EXPECT_EQ(compositionNames(), std::vector<std::string>(names.begin(), imported));
    }
    Message late;
    projectMessage("Late", late);
    EXPECT_EQ(errorOf(late), "no error");
    host->model().closeProject();
    EXPECT_EQ(host->idle(), 0);
    EXPECT_EQ(deferredTaskQueue().size(), 0u);
    EXPECT_EQ(errorOf(late), "there is no open project");
    EXPECT_EQ(deferredTaskQueue().size(), 0u);
    host->model().newProject();
    EXPECT_TRUE(compositionNames().empty());
    EXPECT_TRUE(host->reports().empty());
    EXPECT_TRUE(boxes().empty());
    EXPECT_TRUE(host->suites().outstanding().empty());
}

}  // namespace
