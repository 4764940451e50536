#include "project/project_import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/object_handles.h"
#include "import_fixture.h"

using namespace importkit;
using namespace isolationkit;

namespace {

class ProjectImportTest : public ImportTest {};

TEST_F(ProjectImportTest, AProjectFileBecomesItsComposition) {
    makeFrames(dir.file("job/plate"), "p", 10);
    writeFile(dir.file("job/plate/p0010.png"), "unlisted");
    writeFile(dir.file("job/plate/notes.PNG"), "notes");
    writeFile(dir.file("job/art/logo.png"), "logo");
    std::string frames;
    for (int i = 0; i < 10; ++i) frames += "<Frame path=\"" + frameName("p", i) + "\"/>";
    writeFile(dir.file("job/job.skp"),
              "<Project Task=\"Tracking\" Framerate=\"25\"><Transform x=\"1\"/><Transform x=\"2\"/>"
              "<Dim sx=\"720\" sy=\"576\"/><PixelAspectRatio num=\"59\" den=\"54\"/>"
              "<Underlay path=\"plate\\\">" +
                  frames +
                  "</Underlay>"
                  "<Overlay path=\"art\\\" SourceOffset=\"10\"><Frame path=\"logo.png\"/>"
                  "<Trimming first=\"5\" last=\"9\"/></Overlay></Project>");
    const Project project = loadProjectFile(dir.file("job/job.skp"));
    const auto before = snapshot(dir.path());

    std::vector<int> applied;
    const AEGP_ItemH item =
        importProject(project, [&](AEGP_LayerH layer) { applied.push_back(simhost::fromHandle(layer)); });
    const simhost::Item* comp = host->model().item(simhost::fromHandle(item));
    ASSERT_NE(comp, nullptr);
    EXPECT_EQ(comp->name, "job");  // the file's name, as the project gives none
    EXPECT_EQ(comp->width, 720);
    EXPECT_EQ(comp->comp.pixelAspect.num, 59);
    const auto layers = layersOf(*comp);
    ASSERT_EQ(layers.size(), 2u);
    EXPECT_EQ(host->model().item(layers[1]->source)->footage.files, project.underlayFiles);
    EXPECT_EQ(host->model().item(layers[0]->source)->footage.files, project.overlay.files);
    EXPECT_EQ(layers[0]->offset.value * 25, static_cast<A_long>(layers[0]->offset.scale) * 10);
    EXPECT_EQ(layers[0]->duration.value * 25, static_cast<A_long>(layers[0]->duration.scale) * 4);
    EXPECT_EQ(applied, std::vector<int>{layers[0]->id});
    EXPECT_EQ(snapshot(dir.path()), before);
}

}  // namespace
