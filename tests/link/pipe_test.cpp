// The pipe transport over real pipes: framing on the wire, clients, servers, deadlines and stop.
#include "link/pipe.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>

#include "tests/common/test_dirs.h"
#include "tests/link/link_test_kit.h"

using namespace linktest;

namespace {

// A server answering every request with its text reversed, until stopped or woken.
class EchoServer {
public:
    explicit EchoServer(const std::string& name) : pipe(name, kPatientClients) {
        thread_ = std::thread([this] {
            for (;;) {
                std::string request;
                try {
                    pipe.receive(request);
                    if (request.empty()) return;
                    pipe.reply(std::string(request.rbegin(), request.rend()));
                } catch (const std::exception& e) {
                    ++failures;
                    lastError = e.what();
                }
            }
        });
    }
    ~EchoServer() {
        pipe.stop();
        thread_.join();
    }
    ServerPipe pipe;
    std::atomic<int> failures{0};
    std::string lastError;

private:
    std::thread thread_;
};

// One connection per transaction; probes and a second server of the name leave it undisturbed.
TEST_F(PipeTest, TransactsProbesAndRefusesASecondServer) {
    EXPECT_FALSE(ClientPipe(name).isAvailable());
    EXPECT_TRUE(isSystemError(errorOf([&] { ask(name, "x"); }), "WaitNamedPipe"));
    EchoServer server(name);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(ClientPipe(name).isAvailable());
    EXPECT_EQ(ask(name, "abc"), "cba");
    EXPECT_TRUE(isSystemError(errorOf([&] { ServerPipe second(name); }), "CreateNamedPipe"));
    const std::string big(3 * 1024 * 1024 + 7, 'q');
    EXPECT_EQ(ask(name, big).size(), big.size());
    EXPECT_EQ(ask(name, "xy"), "yx");
    EXPECT_EQ(server.failures, 0) << server.lastError;
}

TEST_F(PipeTest, ClientConnectingBeforeTheServerWaitsIsServed) {
    ServerPipe server(name, kPatientClients);
    std::shared_ptr<PipeStream> stream = openClientStream(name);
    writeMessage(*stream, "early");
    auto reply = std::async(std::launch::async, [stream]() mutable {
        std::string answer;
        readMessage(*stream, answer);
        stream.reset();  // the server waits for the client to close
        return answer;
    });
    stream.reset();
    std::string request;
    server.receive(request);
    EXPECT_EQ(request, "early");
    server.reply("served");
    EXPECT_EQ(reply.get(), "served");
}

TEST_F(PipeTest, WakeEndsAReceiveWithAnEmptyRequest) {
    ServerPipe server(name, kPatientClients);
    auto receiver = std::async(std::launch::async, [&] {
        std::string request = "not yet";
        server.receive(request);
        return request;
    });
    server.wake();
    ASSERT_EQ(receiver.wait_for(10s), std::future_status::ready);
    EXPECT_EQ(receiver.get(), "");
}

TEST_F(PipeTest, ClientGivesUpOnASilentServer) {
    const SilentServer server(name, SilentServer::Kind::accepting);
    ClientPipe client(name);
    client.setReplyTimeout(300ms);
    std::string reply;
    const std::string error = errorOf([&] { client.transact("hello?", reply); });
    EXPECT_TRUE(isSystemError(error, "ReadFile (pipe, msg_size)")) << error;
}

// Stop ends the server's wait from each state it can be in, in bounded time.
TEST_F(PipeTest, StopEndsEveryWaitAtOnce) {
    enum State { waiting, readingLength, readingBody, writingReply };
    for (State state : {waiting, readingLength, readingBody, writingReply}) {
        ServerPipe server(name, kPatientClients);
        std::unique_ptr<PipeStream> client;
        if (state != waiting) client = openClientStream(name);
        if (state == readingLength) client->writeAll("\x05\0", 2, "test write");
        if (state == readingBody) client->writeAll("\x05\0\0\0ab", 6, "test write");
        if (state == writingReply) writeMessage(*client, "give me a lot");
        std::atomic<bool> entered{false};
        auto worker = std::async(std::launch::async, [&] {
            std::string request;
            if (state == writingReply) {
                server.receive(request);
                // Far more than the pipe buffers hold, to a client that never reads; made before
                // the stop is timed (slow under a thread sanitizer).
                const std::string big(16 * 1024 * 1024, 'r');
                entered = true;
                return errorOf([&] { server.reply(big); });
            }
            entered = true;
            server.receive(request);
            return request.empty() ? std::string("empty") : request;
        });
        ASSERT_TRUE(testkit::waitFor([&] { return entered.load(); }));
        const auto start = std::chrono::steady_clock::now();
        server.stop();
        ASSERT_EQ(worker.wait_for(5s), std::future_status::ready) << "state " << state;
        EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms) << "state " << state;
        const std::string result = worker.get();
        if (state == writingReply)
            EXPECT_NE(result.find("as a result of WriteFile (pipe, msg_"), std::string::npos) << result;
        else
            EXPECT_EQ(result, "empty");
    }
}

}  // namespace
