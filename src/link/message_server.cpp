#include "link/message_server.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "message/message_type.h"

namespace {

// The application matches these texts; the spelling is theirs.
const char* const kHandlerFailed = "exception occured";
const char* const kUnknownMessage = "unknown message";

}  // namespace

MessageServer::MessageServer(const std::string& pipeName, std::chrono::milliseconds clientWait)
    : WorkerThread(true), pipe_(pipeName, clientWait) {
    setRestart(true);
}

MessageServer::~MessageServer() {
    try {
        stop();
    } catch (...) {
    }
}

void MessageServer::stop() {
    pipe_.stop();
    join();
}

void MessageServer::answer(std::string&& request, std::string& reply, std::exception_ptr& handlerFailure) {
    Message& message = message_;
    message.clear();
    message.fromBytes(std::move(request));
    bool understood = false;
    try {
        understood = handle(message);
    } catch (...) {
        handlerFailure = std::current_exception();
        writeErrorMessage(message, kHandlerFailed);
        reply = message.toBytes();
        message.clear();
        return;
    }
    if (!understood) writeErrorMessage(message, kUnknownMessage);
    reply = message.toBytes();
    message.clear();
}

void MessageServer::run() {
    // A failure of the pipe itself that comes back at once must not spin the thread.
    if (failuresInARow_ > 0 &&
        pipe_.awaitStop(std::chrono::milliseconds(std::min(failuresInARow_ * 50, 1000)))) {
        pipe_.close();
        return;
    }
    // The request, the reply and the message are members: a fault that abandons this frame
    // leaves them reachable, and the next round reuses them.
    std::string& request = request_;
    std::string& reply = reply_;
    for (;;) {
        const std::uint64_t clientsBefore = pipe_.clientsConnected();
        try {
            ++failuresInARow_;
            reply.clear();
            pipe_.receive(request);
            if (request.empty()) {
                // Only the owner's stop ends serving and gives up the name; a client's empty
                // frame just ends that client.
                if (endOnEmptyFrame_ || pipe_.isStopped() || pipe_.clientsConnected() == clientsBefore) {
                    pipe_.close();
                    return;
                }
                pipe_.disconnect();
                failuresInARow_ = 0;
                continue;
            }
            std::exception_ptr handlerFailure;
            answer(std::move(request), reply, handlerFailure);
            pipe_.reply(reply);
            std::string().swap(reply);
            failuresInARow_ = 0;
            if (handlerFailure) std::rethrow_exception(handlerFailure);
        } catch (const std::exception& failure) {
            if (pipe_.isStopped()) {
                pipe_.close();
                return;
            }
            // Back to a clean instance before the next client: the failed one is dropped.
            pipe_.disconnect();
            if (pipe_.clientsConnected() == clientsBefore) throw;
            // A client's failure: reported, and the next client served at once.
            failuresInARow_ = 0;
            reportClientFailure(failure.what());
        } catch (...) {
            if (pipe_.isStopped()) {
                pipe_.close();
                return;
            }
            pipe_.disconnect();
            throw;
        }
    }
}

void MessageServer::reportClientFailure(const std::string& text) noexcept {
    // Nothing may leave the thread's loop through here.
    try {
        error(text);
    } catch (...) {
    }
}
