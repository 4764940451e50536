#pragma once

#include <string>

#include "plugin/command_table.h"
#include "tests/plugin/plugin_fixture.h"
#include "tests/project/sample_project.h"

// The plug-in entered with a composition holding one layer, and the sample job on disk, for
// "Read Transformations from Skelda File...".
class ReadTransformationsTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        ASSERT_EQ(enter(), 0);
        host->model().newProject();
        const int root = host->model().rootFolder();
        comp = host->model().addComp("Comp", 160, 120, 24.0, {240, 24}, root);
        const int source = host->model().addComp("Source", 160, 120, 24.0, {240, 24}, root);
        layer = host->model().addLayer(comp, source, AEGP_ObjectType_AV);
        job = importkit::writeSampleProject(files.path());
    }
    void activate(bool active = true) {
        host->model().activeItem = active ? comp : 0;
        host->model().activeLayer = active ? layer : 0;
    }
    std::size_t keys() {
        std::size_t count = 0;
        for (const auto& entry : host->model().layer(layer)->streams) count += entry.second.keys.size();
        return count;
    }
    simhost::SimHost::CommandResult read() {
        return host->runCommand(hostContext().commands[ReadTransformationsCommand]);
    }

    testkit::TempDir files;
    std::string job;
    int comp = 0;
    int layer = 0;
};
