#include "plugin/plugin_state.h"

#include "plugin/host_context.h"

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

void ResetPluginState() {
    g_pluginApp.reset();
    g_deferredTaskQueue.clear();
    hostContext() = HostContext{};
}
