#pragma once

// A server that never answers, shared by the link tests and the menu benchmark (so no gtest here).
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "link/pipe.h"

namespace linktest {

using namespace std::chrono_literals;

// Clients here may come while the server is between two clients; under load that can take
// longer than the plug-in pipe's own short wait.
constexpr auto kPatientClients = 5s;

// Accepting: it takes each request and keeps its client waiting. Never accepting: its one
// instance is held by another client, so that a new one cannot get in (where the system queues
// connections instead, the new one waits for its reply).
class SilentServer {
public:
    enum class Kind { accepting, neverAccepting };

    SilentServer(const std::string& name, Kind kind) : pipe_(name, kPatientClients) {
        if (kind == Kind::neverAccepting) {
            holder_ = openClientStream(name);
            return;
        }
        thread_ = std::thread([this] {
            while (!pipe_.isStopped()) {
                std::string request;
                try {
                    pipe_.receive(request);
                } catch (const std::exception&) {
                    continue;
                }
                if (!request.empty()) pipe_.awaitStop(std::chrono::hours(1));
            }
        });
    }
    ~SilentServer() {
        pipe_.stop();
        if (thread_.joinable()) thread_.join();
    }

private:
    ServerPipe pipe_;
    std::unique_ptr<PipeStream> holder_;
    std::thread thread_;
};

}  // namespace linktest
