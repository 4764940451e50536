#include "link/pipe.h"

#include <algorithm>
#include <chrono>
#include <utility>

// The parts of both ends that need no system call of their own; the rest is per platform.

ClientPipe::ClientPipe(std::string name) : name_(std::move(name)) {}

void ClientPipe::transact(const std::string& request, std::string& reply) const {
    const std::unique_ptr<PipeStream> stream = openClientStream(name_, deadline_);
    stream->setDeadline(std::min(deadline_, PipeClock::now() + replyTimeout_));
    writeMessage(*stream, request);
    readMessage(*stream, reply);
}

void ServerPipe::wake() const {
    const std::unique_ptr<PipeStream> stream = openClientStream(name_);
    try {
        stream->setTimeout(std::chrono::milliseconds(50));
        writeMessage(*stream, std::string());
    } catch (...) {
        // The server may already be gone; there is no reply to wait for either way.
    }
}

namespace detail {

std::chrono::milliseconds clientWait(const std::string& pipeName) {
    return pipeName == kPluginPipeName ? ServerPipe::kDefaultClientWait : kApplicationClientWait;
}

void limitServerStream(PipeStream& stream, std::chrono::milliseconds requestTimeout) {
    stream.setTimeout(requestTimeout);
    stream.setProgressTimeout(std::min(requestTimeout, ServerPipe::kProgressTimeout));
    stream.setAllowancePerByte(ServerPipe::kAllowancePerByte);
}

}  // namespace detail
