#include "plugin/plugin_app.h"

#include <exception>

#include "link/pipe.h"
#include "plugin/plugin_server.h"

PluginApp::PluginApp() = default;

PluginApp::~PluginApp() = default;

std::string PluginApp::startPluginServer() {
    server_.reset();
    // Another host process with the plug-in loaded serves the pipe already: run without a server.
    if (ClientPipe(kPluginPipeName).isAvailable()) return std::string();
    try {
        server_ = std::make_unique<PluginServer>();
    } catch (const std::exception& error) {
        // The commands work without the server; only the application's pushes cannot arrive.
        return error.what();
    }
    return std::string();
}

void PluginApp::stopPluginServer() {
    if (server_) server_->stop();
}

void PluginApp::reset() {
    stopPluginServer();
    server_.reset();
}
