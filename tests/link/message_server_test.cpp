// The message server: replies, failures of every kind from a raw client, and serving on after each.
#include <gtest/gtest.h>

#include <future>
#include <random>
#include <thread>

#include "tests/common/test_dirs.h"
#include "tests/link/link_test_kit.h"

using namespace linktest;

namespace {

using MessageServerTest = linktest::PipeTest;

// What a client gets for `request`, "(dropped)" when the connection ends without a reply.
std::string answerTo(const std::string& name, const std::string& request) {
    std::string reply;
    try {
        reply = ask(name, request);
    } catch (const std::exception&) {
        return "(dropped)";
    }
    return request == messageBytes(MessageType::PossibleActions) ? flags(readActions(reply))
                                                                 : replyText(reply);
}

// A handler that throws is answered and reported, a faulting one reported; a client's empty frame
// ends that client alone, unreported. Serving goes on after each.
TEST_F(MessageServerTest, AnswersEveryRequestAndServesOnAfterFailures) {
    TestServer server(name);
    const struct {
        std::string request;
        const char* answer;
        const char* reported;
    } cases[] = {
        {messageBytes(MessageType::PossibleActions), "01010", nullptr},
        {messageBytes(MessageType::Error), "unknown message", nullptr},
        {messageBytes(MessageType::Empty), "unknown message", nullptr},
        {messageBytes(MessageType::Overlay), "unknown message", nullptr},
        {"", "(dropped)", nullptr},
        {messageBytes(MessageType::Project), "exception occured", "the handler failed"},
        {messageBytes(MessageType::Transformations), "(dropped)",
         " caused an EXCEPTION_ACCESS_VIOLATION in module "},
    };
    std::size_t reported = 0;
    for (int round = 0; round < 2; ++round) {
        for (const auto& c : cases) {
            EXPECT_EQ(answerTo(name, c.request), c.answer) << c.answer;
            if (!c.reported) continue;
            ASSERT_TRUE(testkit::waitFor([&] { return server.errors().size() > reported; })) << c.reported;
            reported = server.errors().size();
            EXPECT_NE(server.errors().back().find(c.reported), std::string::npos) << server.errors().back();
        }
    }
    EXPECT_EQ(server.errors().size(), 4u);
    server.stop();
    EXPECT_FALSE(server.join());  // the failures reported
}

// Only the owner's stop ends serving; serving without failures joins as a success.
TEST_F(MessageServerTest, OnlyTheOwnersStopEndsServing) {
    TestServer server(name);
    EXPECT_EQ(answerTo(name, ""), "(dropped)");
    EXPECT_EQ(answerTo(name, messageBytes(MessageType::PossibleActions)), "01010");
    EXPECT_FALSE(server.isFinished());
    server.stop();
    EXPECT_TRUE(server.join());
    EXPECT_EQ(answerTo(name, messageBytes(MessageType::PossibleActions)), "(dropped)");
}

// A malformed frame costs its client the connection and nothing more: no pause follows, so a
// valid request after 400 of them is answered within a second.
TEST_F(MessageServerTest, MalformedFramesDropTheirClientWithoutPausingTheServer) {
    TestServer server(name);
    const std::string bad[] = {frame(11, "hello world"), frame(0xFFFFFFFFu, ""), frame(10, "<Message/>")};
    for (int i = 0; i < 400; ++i) {
        auto stream = openClientStream(name);
        const std::string& bytes = bad[i % std::size(bad)];
        stream->writeAll(bytes.data(), bytes.size(), "test write");
        char byte;
        EXPECT_EQ(stream->readSome(&byte, 1, "test read"), 0u) << i;  // dropped, nothing answered
    }
    ClientPipe client(name);
    client.setReplyTimeout(1s);
    std::string reply;
    EXPECT_NO_THROW(client.transact(messageBytes(MessageType::PossibleActions), reply));
    ASSERT_TRUE(testkit::waitFor([&] { return server.errors().size() == 400; }));
    EXPECT_FALSE(server.isFinished());
}

// A client that sends nothing holds the server for about a second; five of them ahead of a
// valid request delay it by about five seconds in all.
TEST_F(MessageServerTest, SilentClientsAreDroppedAfterASecondEach) {
    TestServer server(name);
    std::vector<std::unique_ptr<PipeStream>> silent;
    for (int i = 0; i < 5; ++i) silent.push_back(openClientStream(name));
    ClientPipe client(name);
    client.setReplyTimeout(7s);
    std::string reply;
    EXPECT_NO_THROW(client.transact(messageBytes(MessageType::PossibleActions), reply));
    for (auto& stream : silent) {
        char byte;
        EXPECT_EQ(stream->readSome(&byte, 1, "test read"), 0u);
    }
    EXPECT_EQ(server.errors().size(), 5u);
}

// A large body that keeps arriving outlasts both the progress limit and the request time-out;
// a client that dribbles a byte at a time does not.
TEST_F(MessageServerTest, ABodyThatKeepsArrivingIsServedAndADribblerDropped) {
    TestServer server(name, 1500ms, std::string());
    const std::string body = "<Message type=\"Overlay\">" + std::string(4 << 20, ' ') + "</Message>";
    const std::string bytes = frame(static_cast<std::uint32_t>(body.size()), body);
    {
        auto stream = openClientStream(name);
        stream->setTimeout(20s);
        const std::size_t piece = bytes.size() / 5 + 1;
        for (std::size_t at = 0; at < bytes.size(); at += piece) {
            if (at > 0) std::this_thread::sleep_for(600ms);  // the sender's own pace
            stream->writeAll(bytes.data() + at, std::min(piece, bytes.size() - at), "test write");
        }
        std::string reply;
        EXPECT_NO_THROW(readMessage(*stream, reply));
        EXPECT_TRUE(reply.empty());
    }
    auto dribbler = openClientStream(name);
    const auto start = std::chrono::steady_clock::now();
    std::string dropped;
    try {
        for (std::size_t at = 0; at < bytes.size(); ++at) {
            dribbler->writeAll(bytes.data() + at, 1, "test write");
            std::this_thread::sleep_for(300ms);  // the sender's own pace
        }
    } catch (const std::exception& error) {
        dropped = error.what();
    }
    EXPECT_NE(dropped, "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    ASSERT_TRUE(testkit::waitFor([&] { return server.errors().size() == 1; }));
    EXPECT_EQ(server.requests().size(), 1u);
}

// Every kind of bad input: the server reports it, answers nothing, and serves the next request.
TEST_F(MessageServerTest, SurvivesBadInputFromARawClient) {
    TestServer server(name, 300ms);
    const std::string xml = "<Message type=\"Overlay\"/>";
    struct Case {
        const char* what;
        std::string bytes;
        const char* errorPart;
    } cases[] = {
        {"garbage", "this is not a frame at all", "exceeds the limit"},
        {"truncated length", std::string("\x10\0", 2), "ReadFile (pipe, msg_size)"},
        {"truncated body", frame(100, xml), "ReadFile (pipe, msg_content)"},
        {"length 0xFFFFFFFF", frame(0xFFFFFFFFu, xml), "exceeds the limit"},
        {"length limit + 1", frame(kMaxMessageSize + 1, xml), "exceeds the limit"},
        {"not XML", frame(11, "hello world"), ""},
        {"no type", frame(10, "<Message/>"), ""},
        {"unknown type", frame(27, "<Message type=\"overlay\"/>\n\n"), ""},
    };
    std::size_t reported = 0;
    for (const Case& c : cases) {
        {
            auto stream = openClientStream(name);
            stream->writeAll(c.bytes.data(), c.bytes.size(), "test write");
            // Nothing is answered: the server drops the connection or lets it run out.
            std::string reply;
            EXPECT_NE(errorOf([&] { readMessage(*stream, reply); }), "no error") << c.what;
        }
        ASSERT_TRUE(testkit::waitFor([&] { return server.errors().size() > reported; })) << c.what;
        reported = server.errors().size();
        EXPECT_NE(server.errors().back().find(c.errorPart), std::string::npos)
            << c.what << ": " << server.errors().back();
        EXPECT_NO_THROW(readActions(ask(name, messageBytes(MessageType::PossibleActions)))) << c.what;
    }
    EXPECT_EQ(server.requests().size(), std::size(cases));
}

TEST_F(MessageServerTest, StalledClientIsDroppedWithinItsDeadlineWhileTheNextIsServed) {
    TestServer server(name, 300ms);
    auto staller = openClientStream(name);
    staller->writeAll("\x40\0", 2, "test write");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_NO_THROW(readActions(ask(name, messageBytes(MessageType::PossibleActions))));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
    ASSERT_TRUE(testkit::waitFor([&] { return server.errors().size() == 1; }));
}

// The server is stopped at a random moment of a random client's visit, many times over: it
// always ends within half a second.
TEST_F(MessageServerTest, StopEndsServingFromAnyStateInBoundedTime) {
    std::mt19937 random(20240611);
    enum Visit { none, probe, stallLength, stallBody, request, neverReads, emptyFrame, kinds };
    for (int trial = 0; trial < 200; ++trial) {
        const std::string trialName = sandbox.pipeName("stop" + std::to_string(trial % 2));
        const Visit visit = static_cast<Visit>(random() % kinds);
        auto server = std::make_unique<TestServer>(trialName);
        auto client = std::async(std::launch::async, [&trialName, visit] {
            try {
                if (visit == none) return;
                if (visit == probe) {
                    ClientPipe(trialName).isAvailable();
                    return;
                }
                auto stream = openClientStream(trialName);
                stream->setTimeout(2s);
                if (visit == stallLength) stream->writeAll("\x20\0", 2, "w");
                if (visit == stallBody) stream->writeAll("\x20\0\0\0<Mess", 9, "w");
                if (visit == request || visit == neverReads)
                    writeMessage(*stream, messageBytes(MessageType::PossibleActions));
                if (visit == emptyFrame) writeMessage(*stream, "");
                std::string reply;
                if (visit == request) readMessage(*stream, reply);
                if (visit != request) {
                    char byte;
                    stream->readSome(&byte, 1, "hold");  // until the server drops it, or 2 s
                }
            } catch (const std::exception&) {
                // The server going away mid-visit is what this test does.
            }
        });
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
        const auto start = std::chrono::steady_clock::now();
        server->stop();
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(took, 500ms) << "trial " << trial << " visit " << visit;
        server.reset();
        ASSERT_EQ(client.wait_for(10s), std::future_status::ready) << "trial " << trial;
    }
}

}  // namespace
