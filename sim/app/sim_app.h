#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/pipe.h"
#include "message/message_type.h"
#include "message/possible_actions.h"
#include "sim/app/app_result.h"

namespace simapp {

// One footage the plug-in uploaded.
struct Upload {
    MessageType type = MessageType::Empty;
    std::size_t frames = 0;  // "Frame" elements of the message
    std::string bytes;       // the message as received
};

struct AppSettings {
    std::string applicationPipe = kApplicationPipeName;
    std::string pluginPipe = kPluginPipeName;
    PossibleActions actions;
    AppResult result;
    bool logRequests = false;  // also log each request answered, not only uploads and pushes
};

class AppServer;

// The simulated tracking application: serves its pipe the way the real one does (uploads
// recorded, PossibleActions answered with the flags it was given, Transformations and Project
// requests answered with the empty reply and followed by a push of the current result to the
// plug-in's pipe), and pushes requests of its own.
class SimApplication {
public:
    using Log = std::function<void(const std::string&)>;

    // Starts serving; raises "CreateNamedPipe" when the pipe cannot be made.
    SimApplication(AppSettings settings, Log log);
    ~SimApplication();
    SimApplication(const SimApplication&) = delete;
    SimApplication& operator=(const SimApplication&) = delete;

    // Serving has ended: a client sent the empty frame.
    bool finished() const;
    // Waits until serving has ended.
    void waitUntilFinished();

    std::vector<Upload> uploads() const;
    PossibleActions actions() const;
    void setActions(const PossibleActions& actions);
    // Replaces the result that later pushes carry.
    void setResult(AppResult result);

    // Sends a message to the plug-in's pipe now; the reply's text: "" for the empty frame or an
    // Empty message, the Error's text, or "BadMessage". Raises when the exchange fails.
    std::string push(const std::string& messageBytes);
    // Pushes the current result of that type, on the application's own thread.
    void pushLater(MessageType type);

private:
    friend class AppServer;
    void record(Upload upload);
    void logRequest(const std::string& line);
    std::string resultMessage(MessageType type) const;
    void pushLoop();

    AppSettings settings_;
    Log log_;
    mutable std::mutex mutex_;
    std::vector<Upload> uploads_;
    std::deque<MessageType> pending_;
    std::condition_variable wake_;
    bool closing_ = false;
    std::thread pusher_;
    std::unique_ptr<AppServer> server_;
};

}  // namespace simapp
