#pragma once

#include <memory>
#include <string>

class PluginServer;

// The module's application object: owns the plug-in's pipe server while one runs.
class PluginApp {
public:
    PluginApp();
    // Destroys a server still held.
    ~PluginApp();

    PluginApp(const PluginApp&) = delete;
    PluginApp& operator=(const PluginApp&) = delete;

    // Called once by the entry. A pipe that cannot be made leaves the plug-in without a server;
    // the returned text then says why (empty when a server runs or another process serves the pipe).
    std::string startPluginServer();
    // Called by the death hook: stops a held server and waits for its thread.
    void stopPluginServer();
    // Stops and destroys a held server (module unload, and between in-process tests).
    void reset();

    bool hasServer() const { return server_ != nullptr; }

private:
    std::unique_ptr<PluginServer> server_;
};
