// The plug-in's server: its errors reach the user through the error box, a burst of them once.
#include "link/plugin_server.h"

#include <gtest/gtest.h>

#include <mutex>

#include "common/test_dirs.h"
#include "link/error_report.h"
#include "link/error_throttle.h"
#include "link/link_test_kit.h"

using namespace linktest;

namespace {

std::mutex gBoxMutex;
std::vector<std::string> gBoxes;

void recordBox(const std::string& text) {
    std::lock_guard<std::mutex> lock(gBoxMutex);
    gBoxes.push_back(text);
}

std::size_t boxCount() {
    std::lock_guard<std::mutex> lock(gBoxMutex);
    return gBoxes.size();
}

// Puts the recording box in place for one test.
struct RecordedBoxes {
    RecordedBoxes() {
        gBoxes.clear();
        previous = setErrorBox(recordBox);
    }
    ~RecordedBoxes() { setErrorBox(previous); }
    ErrorBoxFunction previous;
};

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

TEST(PluginServer, KnowsNoRequestWithoutHandlerAndShowsABurstOfFailuresOnce) {
    testkit::PipeSandbox sandbox;
    RecordedBoxes boxes;
    const std::string name = sandbox.pipeName("SKPlugin");
    PluginServer server(name);
    EXPECT_EQ(replyText(ask(name, messageBytes(MessageType::Error))), "unknown message");
    EXPECT_EQ(boxCount(), 0u);
    for (int i = 0; i < 5; ++i) {
        auto stream = openClientStream(name);
        writeMessage(*stream, "<not xml");
        std::string reply;
        EXPECT_NE(errorOf([&] { readMessage(*stream, reply); }), "no error");
    }
    EXPECT_EQ(replyText(ask(name, messageBytes(MessageType::Empty))), "unknown message");
    EXPECT_EQ(boxCount(), 1u);
    EXPECT_FALSE(gBoxes[0].empty());
}

}  // namespace
