#pragma once

// An open project in a fresh simulated host, entered by a stand-in for the plug-in so that its id is
// the host's, with a private journal directory and a directory for footage.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/common/in_process_host.h"
#include "tests/project/isolation_kit.h"

namespace importkit {

using isolationkit::frameName;

// Full paths of `count` frames stem0000.png ... in `directory`, each file holding its name.
inline std::vector<std::string> makeFrames(const std::string& directory, const char* stem, int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        paths.push_back(directory + "/" + frameName(stem, i));
        isolationkit::writeFile(paths.back(), frameName(stem, i));
    }
    return paths;
}

class ImportTest : public testkit::InProcessHost {
protected:
    explicit ImportTest(unsigned more = 0) : InProcessHost(testkit::kStandIn | testkit::kNewProject | more) {}
    // The composition's layers, top first.
    std::vector<simhost::Layer*> layersOf(const simhost::Item& comp) {
        std::vector<simhost::Layer*> layers;
        for (int id : comp.comp.layers) layers.push_back(host->model().layer(id));
        return layers;
    }

    isolationkit::ScopedStateDir state;
    testkit::TempDir dir;
};

}  // namespace importkit
