// Requests to the application, against the simulated application and servers with set replies;
// the pushes and uploads that succeed are the plug-in tests' (application session).
#include "link/requests.h"

#include <gtest/gtest.h>

#include "sim/app/sim_app.h"
#include "tests/common/test_dirs.h"
#include "tests/host/host_fixture.h"
#include "tests/link/link_test_kit.h"

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
    static void quiet(const std::string&) {}

    testkit::PipeSandbox sandbox;
};

TEST_F(RequestsTest, PossibleActionsAreTheApplicationsOrNone) {
    PossibleActions actions;
    actions.underlay = true;
    {
        simapp::AppSettings settings;
        settings.actions.overlay = settings.actions.project = true;
        simapp::SimApplication app(settings, quiet);
        queryPossibleActions(kApplicationPipeName, actions);
        EXPECT_EQ(flags(actions), "01001");
    }
    queryPossibleActions(kApplicationPipeName, actions);
    EXPECT_EQ(flags(actions), "00000");
    EXPECT_TRUE(endsWith(errorOf([] { requestProject(); }), "\nas a result of WaitNamedPipe"));
}

// With a limit, an application that takes the question and never answers costs the limit, not
// the reply's own time-out.
TEST_F(RequestsTest, PossibleActionsWithinALimitEndWithTheLimit) {
    SilentServer application(kApplicationPipeName, SilentServer::Kind::accepting);
    PossibleActions actions;
    actions.overlay = true;
    const auto start = std::chrono::steady_clock::now();
    const std::string error = errorOf([&] { queryPossibleActions(kApplicationPipeName, actions, 50ms); });
    EXPECT_LT(std::chrono::steady_clock::now() - start, ClientPipe::kDefaultReplyTimeout / 2);
    EXPECT_TRUE(isSystemError(error, "ReadFile (pipe, msg_size)")) << error;
    EXPECT_EQ(flags(actions), "00000");
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

TEST_F(RequestsTest, UploadWithoutFootageSendsNothingAndARefusalRaisesItsText) {
    TestServer application(kApplicationPipeName, errorMessage("too few frames"));
    EXPECT_EQ(errorOf([] { uploadOverlay(); }), "there is no active item");
    host.model().activeItem = host.model().addComp("c", 10, 10, 30.0, {30, 30}, host.model().rootFolder());
    EXPECT_EQ(errorOf([] { uploadUnderlay(); }), "active item is not a footage");
    EXPECT_TRUE(application.requests().empty());
    host.model().activeItem =
        host.model().addFootage("still", {"C:\\a\\still.png"}, host.model().rootFolder());
    // An underlay is tracked: a still is refused before anything is sent.
    EXPECT_EQ(errorOf([] { uploadUnderlay(); }), "active footage contains less than 2 frames");
    EXPECT_TRUE(application.requests().empty());
    EXPECT_EQ(errorOf([] { uploadOverlay(); }), "too few frames");
    EXPECT_EQ(application.requests().size(), 1u);
}

}  // namespace
