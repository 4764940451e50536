#pragma once

// Helpers of the link tests: a message server with known handlers, raw clients, replies read back.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "link/message_server.h"
#include "link/pipe.h"
#include "message/bad_message.h"
#include "message/message.h"
#include "message/possible_actions.h"
#include "tests/common/error_text.h"
#include "tests/common/test_dirs.h"
#include "tests/link/silent_server.h"

namespace linktest {

inline std::string frame(std::uint32_t length, const std::string& body) {
    std::string bytes(4, '\0');
    std::memcpy(&bytes[0], &length, 4);
    return bytes + body;
}

inline std::string messageBytes(MessageType type) {
    return Message(type).toBytes();
}

using testkit::errorOf;

// A test with a pipe directory of its own and a pipe name in it.
class PipeTest : public ::testing::Test {
protected:
    testkit::PipeSandbox sandbox;
    const std::string name = sandbox.pipeName("link");
};

inline bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// A system error's text raised by `action`.
inline bool isSystemError(const std::string& text, const std::string& action) {
    return text.rfind("System error", 0) == 0 && endsWith(text, "\nas a result of " + action);
}

// The text an Error reply carries, "BadMessage" for another type, "" for the empty frame.
inline std::string replyText(const std::string& reply) {
    if (reply.empty()) return "";
    Message message;
    message.fromBytes(reply);
    return errorOf([&] { message.throwUnexpected(); });
}

// A processor fault on purpose; the sanitizers must not report it first.
__attribute__((noinline, no_sanitize_undefined, no_sanitize_thread)) inline void writeThroughNull() {
    volatile int* volatile pointer = nullptr;
    *pointer = 1;
}

// Without a set reply: answers PossibleActions with Overlay and Transformations, throws on
// Project, faults on Transformations and knows nothing else. With one: answers every request with
// those bytes (the empty frame when empty). Keeps the requests and the errors reported.
class TestServer : public MessageServer {
public:
    explicit TestServer(const std::string& name, std::chrono::milliseconds requestTimeout = 5s,
                        std::optional<std::string> reply = std::nullopt)
        : MessageServer(name, kPatientClients), reply_(std::move(reply)) {
        pipe().setRequestTimeout(requestTimeout);
        resume();
    }
    TestServer(const std::string& name, std::string reply) : TestServer(name, 5s, std::move(reply)) {}
    ~TestServer() override { stop(); }

    std::vector<std::string> errors() {
        std::lock_guard<std::mutex> lock(mutex_);
        return errors_;
    }
    std::vector<std::string> requests() {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

protected:
    void error(const std::string& text) override {
        std::lock_guard<std::mutex> lock(mutex_);
        errors_.push_back(text);
    }

    bool handle(Message& message) override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(message.toBytes());
        }
        if (reply_) {
            if (reply_->empty())
                message.clear();
            else
                message.fromBytes(*reply_);
            return true;
        }
        switch (message.type()) {
            case MessageType::PossibleActions: {
                PossibleActions actions;
                actions.overlay = actions.transformations = true;
                message.init(MessageType::PossibleActions);
                serializePossibleActions(XmlArchive::writer(message.root()), actions);
                return true;
            }
            case MessageType::Project:
                throw std::runtime_error("the handler failed");
            case MessageType::Transformations:
                writeThroughNull();
                return false;
            default:
                return false;
        }
    }

private:
    std::optional<std::string> reply_;
    std::mutex mutex_;
    std::vector<std::string> errors_;
    std::vector<std::string> requests_;
};

inline std::string ask(const std::string& name, const std::string& request) {
    std::string reply;
    ClientPipe(name).transact(request, reply);
    return reply;
}

inline PossibleActions readActions(const std::string& reply) {
    Message message;
    message.fromBytes(reply);
    if (message.type() != MessageType::PossibleActions) throw std::runtime_error("not PossibleActions");
    PossibleActions actions;
    serializePossibleActions(XmlArchive::reader(message.root()), actions);
    return actions;
}

// The five flags as "0"/"1" in the order Underlay, Overlay, StillOverlay, Transformations, Project.
inline std::string flags(const PossibleActions& a) {
    std::string text;
    for (bool flag : {a.underlay, a.overlay, a.stillOverlay, a.transformations, a.project})
        text += flag ? '1' : '0';
    return text;
}

// The type of a pushed request and how many "Transform" children it has.
inline std::pair<MessageType, std::size_t> pushedTransforms(const std::string& bytes) {
    Message pushed;
    pushed.fromBytes(bytes);
    return {pushed.type(), pushed.root().children("Transform").size()};
}

}  // namespace linktest
