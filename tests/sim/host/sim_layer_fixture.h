#pragma once

#include "tests/host/host_fixture.h"

// A simulated host with a plug-in entered, an open project, a 640 x 480 composition at 25 frames
// per second lasting 10 s, a 320 x 240 source and one layer of it.
class SimLayerTest : public HostLayerTest {
protected:
    SimLayerTest() : HostLayerTest(testkit::kStandIn | testkit::kNewProject) {}

    // A composition the size of its source, so the layer's own transform starts as the identity.
    void fitCompToSource() {
        host.model().item(comp)->width = 320;
        host.model().item(comp)->height = 240;
    }

    int comp = host.model().addComp("Comp", 640, 480, 25.0, {250, 25}, host.model().rootFolder());
    int source = host.model().addComp("Source", 320, 240, 25.0, {250, 25}, host.model().rootFolder());
    int layer = host.model().addLayer(comp, source, AEGP_ObjectType_AV);
};
