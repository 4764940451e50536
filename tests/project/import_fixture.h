#pragma once

// An open project in a fresh simulated host, entered by a stand-in for the plug-in so that its id is
// the host's, with a private journal directory and a directory for footage.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/host_context.h"
#include "plugin/plugin_state.h"
#include "sim/host/sim_host.h"
#include "tests/project/isolation_kit.h"

namespace importkit {

inline AEGP_PluginID& enteredAs() {
    static AEGP_PluginID id = 0;
    return id;
}

inline A_Err AEGP_API rememberId(AEGP_ENTRY_PARAMETERS(, , , id, )) {
    enteredAs() = id;
    return A_Err_NONE;
}

inline std::string frameName(const char* stem, int i, const char* extension = ".png") {
    char name[32];
    std::snprintf(name, sizeof name, "%s%04d%s", stem, i, extension);
    return name;
}

// Full paths of `count` frames stem0000.png ... in `directory`, each file holding its name.
inline std::vector<std::string> makeFrames(const std::string& directory, const char* stem, int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        paths.push_back(directory + "/" + frameName(stem, i));
        isolationkit::writeFile(paths.back(), frameName(stem, i));
    }
    return paths;
}

class ImportTest : public ::testing::Test {
protected:
    void SetUp() override { freshHost(); }
    void TearDown() override {
        host.reset();
        resetPluginState();
    }
    void freshHost() {
        host.reset();
        resetPluginState();
        host = std::make_unique<simhost::SimHost>();
        hostContext().basicSuite = host->basicSuite();
        host->enter(rememberId, "in-process");
        hostContext().pluginId = enteredAs();
        host->model().newProject();
    }
    // The composition's layers, top first.
    std::vector<simhost::Layer*> layersOf(const simhost::Item& comp) {
        std::vector<simhost::Layer*> layers;
        for (int id : comp.comp.layers) layers.push_back(host->model().layer(id));
        return layers;
    }

    isolationkit::ScopedStateDir state;
    testkit::TempDir dir;
    std::unique_ptr<simhost::SimHost> host;
};

}  // namespace importkit
