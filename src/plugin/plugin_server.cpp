#include "plugin/plugin_server.h"

#include "link/error_report.h"
#include "plugin/request_handlers.h"

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
    return HandleRequest(request);
}
