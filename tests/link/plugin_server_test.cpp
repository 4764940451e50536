// The plug-in's server: its errors reach the user through the error box, a burst of them once.
#include "plugin/plugin_server.h"

#include <gtest/gtest.h>

#include "link/error_throttle.h"
#include "tests/common/recorded_boxes.h"
#include "tests/common/test_dirs.h"
#include "tests/link/link_test_kit.h"

using namespace linktest;

namespace {

TEST(ErrorThrottle, AdmitsOneErrorPerQuietSpell) {
    using namespace std::chrono;
    ErrorThrottle throttle(seconds(10));
    const ErrorThrottle::Clock::time_point t0{};
    EXPECT_TRUE(throttle.admit(t0));
    throttle.closed(t0 + seconds(30));  // the user took a while to close the box
    EXPECT_FALSE(throttle.admit(t0 + seconds(31)));
    EXPECT_FALSE(throttle.admit(t0 + seconds(39)));
    EXPECT_TRUE(throttle.admit(t0 + seconds(40)));
}

TEST_F(PipeTest, PluginServerKnowsNoRequestWithoutHandlerAndShowsABurstOfFailuresOnce) {
    testkit::RecordedBoxes boxes;
    PluginServer server(name);
    EXPECT_EQ(replyText(ask(name, messageBytes(MessageType::Error))), "unknown message");
    EXPECT_TRUE(boxes.texts().empty());
    for (int i = 0; i < 5; ++i) {
        auto stream = openClientStream(name);
        writeMessage(*stream, "<not xml");
        std::string reply;
        EXPECT_NE(errorOf([&] { readMessage(*stream, reply); }), "no error");
    }
    EXPECT_EQ(replyText(ask(name, messageBytes(MessageType::Empty))), "unknown message");
    ASSERT_EQ(boxes.texts().size(), 1u);
    EXPECT_FALSE(boxes.texts()[0].empty());
}

}  // namespace
