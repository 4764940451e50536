#pragma once

// The plug-in's own pipe server, owned by PluginApp. Serving arrives with the application link;
// until then it is only the owned object with its stop operation.
class PluginServer {
public:
    virtual ~PluginServer() = default;
    // Ends serving and waits for the server thread to end.
    virtual void stop() {}
};
