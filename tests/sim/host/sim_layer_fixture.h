#pragma once

#include "tests/host/host_fixture.h"

// A simulated host with a plug-in entered, an open project, a 640 x 480 composition at 25 frames
// per second lasting 10 s, a 320 x 240 source and one layer of it.
class SimLayerTest : public HostLayerTest {
protected:
    void SetUp() override {
        HostLayerTest::SetUp();
        host.enter(recordPluginId, "test");
        hostContext().pluginId = enteredPlugin();
        host.model().newProject();
        comp = host.model().addComp("Comp", 640, 480, 25.0, {250, 25}, host.model().rootFolder());
        source = host.model().addComp("Source", 320, 240, 25.0, {250, 25}, host.model().rootFolder());
        layer = host.model().addLayer(comp, source, AEGP_ObjectType_AV);
    }

    static AEGP_PluginID& enteredPlugin() {
        static AEGP_PluginID id = 0;
        return id;
    }
    static A_Err AEGP_API recordPluginId(AEGP_ENTRY_PARAMETERS(, , , id, )) {
        enteredPlugin() = id;
        return A_Err_NONE;
    }

    int comp = 0;
    int source = 0;
    int layer = 0;
};
