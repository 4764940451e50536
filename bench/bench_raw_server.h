#pragma once

// A server that answers every request with one stored reply, parsing nothing: the baseline a
// benchmark compares the plug-in's own serving or asking with.

#include <string>
#include <thread>
#include <utility>

#include "link/pipe.h"

namespace benchkit {

class RawServer {
public:
    RawServer(const std::string& name, std::string reply) : pipe_(name), reply_(std::move(reply)) {
        thread_ = std::thread([this] {
            while (!pipe_.isStopped()) {
                std::string request;
                try {
                    pipe_.receive(request);
                    if (!request.empty()) pipe_.reply(reply_);
                } catch (const std::exception&) {
                    // A client that went away costs only its own request.
                }
            }
        });
    }
    ~RawServer() {
        pipe_.stop();
        thread_.join();
    }
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

private:
    ServerPipe pipe_;
    std::string reply_;
    std::thread thread_;
};

}  // namespace benchkit
