#pragma once

#include "plugin/deferred_task_queue.h"
#include "plugin/plugin_app.h"

// The module's process-wide objects, built when the module is loaded and destroyed when it is
// unloaded.
PluginApp& pluginApp();
DeferredTaskQueue& deferredTaskQueue();

// Puts the process-wide state back as a fresh load left it: server stopped and destroyed,
// waiting tasks destroyed unrun, the server's error box the default again, host context cleared. For tests
// that enter the plug-in in-process several times.
void resetPluginState();
