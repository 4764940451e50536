// Requests to the application, against the simulated application and servers with set replies.
#include "link/requests.h"

#include <gtest/gtest.h>

#include "app/sim_app.h"
#include "common/test_dirs.h"
#include "host/host_fixture.h"
#include "link/link_test_kit.h"

using namespace linktest;

namespace {

std::string errorMessage(const std::string& what) {
    Message message;
    writeErrorMessage(message, what);
    return message.toBytes();
}

class RequestsTest : public HostLayerTest {
protected:
    void SetUp() override {
        HostLayerTest::SetUp();
        host.model().newProject();
    }
    simapp::AppSettings settings(const std::string& actions = "") {
        simapp::AppSettings s;
        s.pluginPipe = kPluginPipeName;
        s.actions.overlay = actions.find("Overlay") != std::string::npos;
        s.actions.project = actions.find("Project") != std::string::npos;
        return s;
    }
    static void quiet(const std::string&) {}

    testkit::PipeSandbox sandbox;
};

TEST_F(RequestsTest, PossibleActionsAreTheApplicationsOrNone) {
    PossibleActions actions;
    actions.underlay = true;
    {
        simapp::SimApplication app(settings("Overlay,Project"), quiet);
        queryPossibleActions(kApplicationPipeName, actions);
        EXPECT_EQ(flags(actions), "01001");
    }
    queryPossibleActions(kApplicationPipeName, actions);
    EXPECT_EQ(flags(actions), "00000");
    EXPECT_TRUE(endsWith(errorOf([] { requestProject(); }), "\nas a result of WaitNamedPipe"));
}

TEST_F(RequestsTest, UnexpectedRepliesBecomeBadMessage) {
    const auto query = [] {
        PossibleActions actions;
        queryPossibleActions(kApplicationPipeName, actions);
    };
    struct Case {
        std::string reply;
        std::function<void()> request;
        std::string error;
    } cases[] = {
        {"", [] { requestProject(); }, "no error"},
        {"", [] { requestTransformations(); }, "no error"},
        {messageBytes(MessageType::Empty), [] { requestProject(); }, "BadMessage"},
        {errorMessage("busy tracking"), [] { requestTransformations(); }, "busy tracking"},
        {errorMessage(""), [] { requestProject(); }, ""},
        {errorMessage("no footage"), query, "no footage"},
        {"", query, "BadMessage"},
    };
    for (const Case& c : cases) {
        TestServer application(kApplicationPipeName, c.reply);
        EXPECT_EQ(errorOf(c.request), c.error) << c.reply;
    }
}

TEST_F(RequestsTest, TransformationsRequestIsFollowedByThePush) {
    simapp::AppSettings s = settings();
    Transformations transformations;
    transformations.frames.resize(25);
    transformations.first = 12;
    s.result = simapp::AppResult::fromTransformations(transformations);
    simapp::SimApplication app(std::move(s), quiet);
    TestServer plugin(kPluginPipeName, messageBytes(MessageType::Empty));
    requestTransformations();
    ASSERT_TRUE(testkit::waitFor([&] { return plugin.requests().size() == 1; }));
    EXPECT_EQ(pushedTransforms(plugin.requests()[0]),
              std::make_pair(MessageType::Transformations, std::size_t{25}));
}

TEST_F(RequestsTest, UploadSendsTheActiveFootage) {
    const int item = host.model().addFootage("plate", {"C:\\shots\\a\\f0007.png", "C:\\shots\\a\\f0008.png"},
                                             host.model().rootFolder());
    host.model().activeItem = item;
    simapp::SimApplication app(settings(), quiet);
    uploadUnderlay();
    uploadOverlay();
    const std::vector<simapp::Upload> uploads = app.uploads();
    ASSERT_EQ(uploads.size(), 2u);
    EXPECT_EQ(uploads[0].type, MessageType::Underlay);
    EXPECT_EQ(uploads[1].type, MessageType::Overlay);
    EXPECT_EQ(uploads[0].frames, 2u);
    Message message;
    message.fromBytes(uploads[0].bytes);
    std::string startFrame;
    ASSERT_TRUE(message.root().attribute("StartFrame", startFrame));
    EXPECT_EQ(startFrame, "7");
    EXPECT_NE(uploads[0].bytes.find("f0008.png"), std::string::npos);
}

TEST_F(RequestsTest, UploadWithoutFootageSendsNothingAndARefusalRaisesItsText) {
    TestServer application(kApplicationPipeName, errorMessage("too few frames"));
    EXPECT_EQ(errorOf([] { uploadOverlay(); }), "there is no active item");
    host.model().activeItem = host.model().addComp("c", 10, 10, 30.0, {30, 30}, host.model().rootFolder());
    EXPECT_EQ(errorOf([] { uploadUnderlay(); }), "active item is not a footage");
    EXPECT_TRUE(application.requests().empty());
    host.model().activeItem =
        host.model().addFootage("still", {"C:\\a\\still.png"}, host.model().rootFolder());
    EXPECT_EQ(errorOf([] { uploadUnderlay(); }), "too few frames");
    EXPECT_EQ(application.requests().size(), 1u);
}

}  // namespace
