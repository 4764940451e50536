#pragma once

#include "plugin/plugin_entry.h"
#include "tests/common/in_process_host.h"

// The plug-in entered in-process into a fresh simulated host, its pipe apart from other tests'.
class PluginTest : public testkit::InProcessHost {
protected:
    PluginTest() : InProcessHost(testkit::kPipeSandbox) {}
    A_Err enter() { return host->enter(skeldaPluginMain, "in-process"); }
};
