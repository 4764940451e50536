// skelda-app serving as the demo runs it: a project file beside a generated motion, the export
// model changed between two requests, and every request logged.
#include <gtest/gtest.h>

#include "message/xml_archive.h"
#include "tests/common/child_process.h"
#include "tests/common/program_path.h"
#include "tests/common/test_dirs.h"
#include "tests/common/test_files.h"
#include "tests/link/link_test_kit.h"
#include "tracking/transformations_xml.h"

using namespace linktest;

namespace {

Transformations pushedRecord(const std::string& bytes) {
    Message message;
    message.fromBytes(bytes);
    Transformations record;
    serializeTransformations(XmlArchive::reader(message.root()), record);
    return record;
}

TEST(DemoAppServe, PushesTheMotionWithTheModelAskedForAndTheProjectWithAbsolutePaths) {
    testkit::PipeSandbox sandbox;
    testkit::TempDir dir;
    const std::string job = dir.file("job.skp");
    testkit::writeFile(job,
                       "<Project Name=\"Job\"><Transform x=\"9\"/><Underlay path=\"plate\\\">"
                       "<Frame path=\"p0.png\"/></Underlay><Overlay path=\"/art/\" abs=\"1\"><Frame "
                       "path=\"logo.png\"/></Overlay></Project>");
    TestServer plugin(kPluginPipeName, messageBytes(MessageType::Empty));
    testkit::ChildProcess app(testkit::programPath("skelda-app"),
                              {"serve", "--verbose", "--actions", "Transformations,Project", "--result", job,
                               "--motion", "dx=2", "--frames", "3"});
    const auto ready = app.readLine();
    ASSERT_TRUE(ready && ready->rfind("serving ", 0) == 0) << ready.value_or("(nothing)");
    const auto request = [&](MessageType type, const char* name) {
        EXPECT_EQ(replyText(ask(kApplicationPipeName, messageBytes(type))), "");
        EXPECT_EQ(app.readLine().value_or(""),
                  std::string("asked for ") + name + ": empty reply, the result follows");
        EXPECT_EQ(app.readLine().value_or(""), std::string("pushed ") + name + ": ok");
    };
    request(MessageType::Transformations, "Transformations");
    app.write("model CornerPin\n");
    EXPECT_EQ(app.readLine().value_or(""), "model CornerPin");
    request(MessageType::Transformations, "Transformations");
    request(MessageType::Project, "Project");
    app.write("quit\n");
    EXPECT_EQ(app.wait(), 0);

    const std::vector<std::string> pushed = plugin.requests();
    ASSERT_EQ(pushed.size(), 3u);
    const Transformations first = pushedRecord(pushed[0]), second = pushedRecord(pushed[1]);
    EXPECT_EQ(first.exportModel, ExportModel::Auto);
    EXPECT_EQ(second.exportModel, ExportModel::CornerPin);
    for (const Transformations* record : {&first, &second}) {
        ASSERT_EQ(record->frames.size(), 3u);
        EXPECT_EQ(record->frames[2].x, 4);  // the motion, not the file's result
    }
    Message project;
    project.fromBytes(pushed[2]);
    EXPECT_EQ(project.type(), MessageType::Project);
    EXPECT_EQ(project.root().children("Transform").size(), 1u);  // the file's own result
    // The project's directory, then the reference, in the path texts' Windows form; a path already
    // absolute is left as written.
    std::string path, abs;
    EXPECT_TRUE(project.root().child("Underlay").attribute("path", path));
    EXPECT_EQ(path, testkit::windowsForm(dir.path()) + "\\plate\\");
    EXPECT_TRUE(project.root().child("Underlay").attribute("abs", abs));
    EXPECT_EQ(abs, "1");
    EXPECT_TRUE(project.root().child("Overlay").attribute("path", path));
    EXPECT_EQ(path, "/art/");
}

}  // namespace
