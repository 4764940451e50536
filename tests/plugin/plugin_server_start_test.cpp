// The entry starts the plug-in's server unless another process serves its pipe; death stops it.
#include "link/pipe.h"
#include "plugin/hooks.h"
#include "plugin/plugin_fixture.h"

namespace {

class PluginServerStartTest : public PluginTest {};

TEST_F(PluginServerStartTest, EntryStartsTheServerAndDeathStopsIt) {
    ASSERT_EQ(enter(), 0);
    EXPECT_TRUE(pluginApp().hasServer());
    EXPECT_TRUE(ClientPipe(kPluginPipeName).isAvailable());
    EXPECT_EQ(DeathHook(nullptr, nullptr), 0);
    EXPECT_FALSE(ClientPipe(kPluginPipeName).isAvailable());
    EXPECT_EQ(DeathHook(nullptr, nullptr), 0);
}

TEST_F(PluginServerStartTest, SecondPlugInLeavesThePipeToTheFirst) {
    ServerPipe first(kPluginPipeName);
    ASSERT_EQ(enter(), 0);
    EXPECT_FALSE(pluginApp().hasServer());
    EXPECT_EQ(DeathHook(nullptr, nullptr), 0);
}

}  // namespace
