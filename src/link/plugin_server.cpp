#include "link/plugin_server.h"

#include "link/error_report.h"

PluginServer::PluginServer() : PluginServer(kPluginPipeName) {}

PluginServer::PluginServer(const std::string& pipeName) : MessageServer(pipeName) {
    resume();
}

PluginServer::~PluginServer() {
    try {
        stop();
    } catch (...) {
    }
}

void PluginServer::error(const std::string& text) {
    if (!throttle_.admit(ErrorThrottle::Clock::now())) {
        MessageServer::error(text);
        return;
    }
    showErrorBox(text);
    throttle_.closed(ErrorThrottle::Clock::now());
}

bool PluginServer::handle(Message& request) {
    switch (request.type()) {
        // The request handlers for Underlay, Overlay, Transformations, Project and PossibleActions
        // join here; Empty and Error have none.
        default:
            return false;
    }
}
