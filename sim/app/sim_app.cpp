#include "sim/app/sim_app.h"

#include "link/message_server.h"
#include "message/message.h"
#include "message/xml_archive.h"

namespace simapp {

// The application's pipe.
class AppServer : public MessageServer {
public:
    AppServer(SimApplication& app, const std::string& pipeName)
        : MessageServer(pipeName, kApplicationClientWait), app_(app) {
        // A client ends the application with the empty frame (how tests and the demo stop it).
        setEndOnEmptyFrame(true);
        resume();
    }
    ~AppServer() override { stop(); }

protected:
    bool handle(Message& message) override {
        switch (message.type()) {
            case MessageType::Underlay:
            case MessageType::Overlay: {
                Upload upload;
                upload.type = message.type();
                upload.frames = message.root().children("Frame").size();
                upload.bytes = message.toBytes();
                app_.record(std::move(upload));
                message.clear();
                return true;
            }
            case MessageType::PossibleActions: {
                PossibleActions actions = app_.actions();
                app_.logRequest("asked for PossibleActions");
                message.init(MessageType::PossibleActions);
                serializePossibleActions(XmlArchive::writer(message.root()), actions);
                return true;
            }
            case MessageType::Transformations:
            case MessageType::Project:
                app_.logRequest(std::string("asked for ") +
                                (message.type() == MessageType::Project ? "Project" : "Transformations") +
                                ": empty reply, the result follows");
                app_.pushLater(message.type());
                message.clear();
                return true;
            default:
                return false;
        }
    }

    void error(const std::string& text) override { app_.log_("error " + text); }

private:
    SimApplication& app_;
};

SimApplication::SimApplication(AppSettings settings, Log log)
    : settings_(std::move(settings)), log_(std::move(log)) {
    pusher_ = std::thread(&SimApplication::pushLoop, this);
    try {
        server_ = std::make_unique<AppServer>(*this, settings_.applicationPipe);
    } catch (...) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            closing_ = true;
        }
        wake_.notify_all();
        pusher_.join();
        throw;
    }
}

SimApplication::~SimApplication() {
    server_.reset();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
    }
    wake_.notify_all();
    pusher_.join();
}

bool SimApplication::finished() const {
    return server_->isFinished();
}

void SimApplication::waitUntilFinished() {
    server_->join();
}

std::vector<Upload> SimApplication::uploads() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return uploads_;
}

PossibleActions SimApplication::actions() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return settings_.actions;
}

void SimApplication::setActions(const PossibleActions& actions) {
    std::lock_guard<std::mutex> lock(mutex_);
    settings_.actions = actions;
}

void SimApplication::logRequest(const std::string& line) {
    if (settings_.logRequests) log_(line);
}

void SimApplication::setResult(AppResult result) {
    std::lock_guard<std::mutex> lock(mutex_);
    settings_.result = std::move(result);
}

void SimApplication::record(Upload upload) {
    log_(std::string("upload ") + (upload.type == MessageType::Underlay ? "Underlay" : "Overlay") + " " +
         std::to_string(upload.frames) + " frames");
    std::lock_guard<std::mutex> lock(mutex_);
    uploads_.push_back(std::move(upload));
}

std::string SimApplication::push(const std::string& messageBytes) {
    std::string reply;
    ClientPipe(settings_.pluginPipe).transact(messageBytes, reply);
    if (reply.empty()) return "";
    Message message;
    message.fromBytes(reply);
    if (message.type() == MessageType::Empty) return "";
    try {
        message.throwUnexpected();
    } catch (const std::exception& e) {
        return e.what();
    }
}

std::string SimApplication::resultMessage(MessageType type) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const AppResult& result = settings_.result;
    return type == MessageType::Project ? result.projectMessage() : result.transformationsMessage();
}

void SimApplication::pushLater(MessageType type) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_.push_back(type);
    }
    wake_.notify_all();
}

void SimApplication::pushLoop() {
    for (;;) {
        MessageType type;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return closing_ || !pending_.empty(); });
            if (closing_) return;
            type = pending_.front();
            pending_.pop_front();
        }
        const char* name = type == MessageType::Project ? "Project" : "Transformations";
        const std::string bytes = resultMessage(type);
        if (bytes.empty()) {
            log_(std::string("nothing to push for ") + name);
            continue;
        }
        try {
            const std::string reply = push(bytes);
            log_(std::string("pushed ") + name + (reply.empty() ? ": ok" : ": " + reply));
        } catch (const std::exception& e) {
            log_(std::string("push of ") + name + " failed: " + e.what());
        }
    }
}

}  // namespace simapp
