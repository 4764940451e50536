#include "plugin/plugin_app.h"

#include "link/plugin_server.h"

PluginApp::PluginApp() = default;

PluginApp::~PluginApp() = default;

// No server is started until the application link exists; the plug-in then runs without one.
void PluginApp::startPluginServer() {}

void PluginApp::stopPluginServer() {
    if (server_) server_->stop();
}

void PluginApp::reset() {
    stopPluginServer();
    server_.reset();
}
