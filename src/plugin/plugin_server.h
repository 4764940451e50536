#pragma once

#include <string>

#include "link/error_throttle.h"
#include "link/message_server.h"

// The plug-in's own server on \\.\pipe\SKPlugin: the application pushes its requests here.
// Requests are routed by type to the request handlers; a type without handler is not known.
class PluginServer : public MessageServer {
public:
    // Serves the plug-in's pipe, running at once; raises "CreateNamedPipe" when it cannot.
    PluginServer();
    // The same on another pipe.
    explicit PluginServer(const std::string& pipeName);
    ~PluginServer() override;

protected:
    // Shows the error in a message box, unless another was closed only moments ago.
    void error(const std::string& text) override;
    bool handle(Message& request) override;

private:
    ErrorThrottle throttle_{std::chrono::seconds(10)};
};
