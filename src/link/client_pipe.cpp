#include <utility>

#include "link/pipe.h"

ClientPipe::ClientPipe(std::string name) : name_(std::move(name)) {}

void ClientPipe::transact(const std::string& request, std::string& reply) const {
    const std::unique_ptr<PipeStream> stream = openClientStream(name_);
    stream->setTimeout(replyTimeout_);
    writeMessage(*stream, request);
    readMessage(*stream, reply);
}
