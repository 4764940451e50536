// What the simulated application pushes in the demo: a project file's footage made absolute, and
// a generated motion in place of the file's tracking result.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>

#include "app/app_result.h"
#include "app/motion.h"
#include "common/test_dirs.h"
#include "message/message.h"
#include "message/xml_archive.h"
#include "tracking/transformations_xml.h"

namespace {

std::unique_ptr<Message> parsed(const std::string& bytes) {
    auto message = std::make_unique<Message>();
    message->fromBytes(bytes);
    return message;
}

TEST(DemoAppResult, PushesAProjectFilesFootageWithAbsolutePaths) {
    testkit::TempDir dir;
    std::ofstream(dir.file("job.skp"))
        << "<Project Name=\"Job\"><Transform x=\"1\"/>"
           "<Underlay path=\"plate\\\"><Frame path=\"p0.png\"/></Underlay>"
           "<Overlay path=\"/art/\" abs=\"1\"><Frame path=\"logo.png\"/></Overlay>"
           "</Project>";
    simapp::AppResult result = simapp::AppResult::fromProjectFile(dir.file("job.skp"));
    const std::unique_ptr<Message> project = parsed(result.projectMessage());
    EXPECT_EQ(project->type(), MessageType::Project);
    std::string path, abs;
    ASSERT_TRUE(project->root().child("Underlay").attribute("path", path));
    // The project's directory, then the reference, in the path texts' Windows form.
    std::string directory = dir.path();
    std::replace(directory.begin(), directory.end(), '/', '\\');
    EXPECT_EQ(path, directory + "\\plate\\");
    EXPECT_TRUE(project->root().child("Underlay").attribute("abs", abs));
    EXPECT_EQ(abs, "1");
    ASSERT_TRUE(project->root().child("Overlay").attribute("path", path));
    EXPECT_EQ(path, "/art/");  // already absolute: left as written

    // A generated motion replaces the tracking result and leaves the project as it was.
    result.setTransformations(simapp::generateMotion("dx=2,model=Rigid", 3));
    const std::unique_ptr<Message> transformations = parsed(result.transformationsMessage());
    Transformations pushed;
    serializeTransformations(XmlArchive::reader(transformations->root()), pushed);
    EXPECT_EQ(pushed.frames.size(), 3u);
    EXPECT_EQ(pushed.frames[2].x, 4);
    EXPECT_EQ(pushed.exportModel, ExportModel::Rigid);
    EXPECT_EQ(parsed(result.projectMessage())->root().children("Transform").size(), 1u);
}

}  // namespace
