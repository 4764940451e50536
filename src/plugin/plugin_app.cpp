#include "plugin/plugin_app.h"

#include "link/pipe.h"
#include "link/plugin_server.h"

PluginApp::PluginApp() = default;

PluginApp::~PluginApp() = default;

void PluginApp::startPluginServer() {
    server_.reset();
    // Another host process with the plug-in loaded serves the pipe already: run without a server.
    if (ClientPipe(kPluginPipeName).isAvailable()) return;
    server_ = std::make_unique<PluginServer>();
}

void PluginApp::stopPluginServer() {
    if (server_) server_->stop();
}

void PluginApp::reset() {
    stopPluginServer();
    server_.reset();
}
