#include "plugin/plugin_state.h"

#include "host/host_context.h"
#include "link/error_report.h"

namespace {

PluginApp g_pluginApp;
DeferredTaskQueue g_deferredTaskQueue;

}  // namespace

PluginApp& pluginApp() {
    return g_pluginApp;
}

DeferredTaskQueue& deferredTaskQueue() {
    return g_deferredTaskQueue;
}

void resetPluginState() {
    g_pluginApp.reset();
    // No box may name a window of a host that is gone.
    setErrorBox(nullptr);
    g_deferredTaskQueue.clear();
    hostContext() = HostContext{};
}
