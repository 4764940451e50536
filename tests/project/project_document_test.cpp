#include "project/project_document.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "message/xml_tree.h"
#include "tests/common/error_text.h"
#include "tests/common/test_dirs.h"
#include "tests/common/test_drives.h"
#include "tests/common/test_files.h"

namespace {

using testkit::errorOf;

std::string writtenText(Project project, const char* rootName = "Project") {
    xml::tree tree;
    tree.create(rootName);
    serializeProject(XmlArchive::writer(tree.root()), project);
    return tree.text();
}

Project readText(const std::string& text, const std::string& path) {
    xml::tree tree;
    tree.parse(text);
    Project project(path);
    serializeProject(XmlArchive::reader(tree.root()), project);
    return project;
}

std::vector<std::string> numbered(const std::string& stem, int count, const char* extension) {
    std::vector<std::string> files;
    for (int i = 0; i < count; ++i) {
        std::string digits = std::to_string(i);
        files.push_back(stem + std::string(4 - digits.size(), '0') + digits + extension);
    }
    return files;
}

TEST(ProjectDocument, WorkedExampleAsWritten) {
    Project project("C:\\job\\job.skp");
    project.task = Task::Compensation;
    project.frames.resize(3);
    project.frames[1].x = 1.5;
    project.name = "Car";
    project.width = 720;
    project.height = 576;
    project.framerate = 25;
    project.pixelAspectRatio = {59, 54};
    project.underlayFiles = numbered("C:\\job\\plate\\p", 100, ".png");
    project.overlay.files = {"C:\\job\\art\\logo.tga"};
    project.overlay.trimming = {0, 100};

    // Paths relative to the project's directory; a one-file overlay's default trimming not written.
    std::string frames;
    for (const std::string& name : numbered("p", 100, ".png")) frames += "<Frame path=\"" + name + "\"/>";
    EXPECT_EQ(
        writtenText(project),
        "<?xml version=\"1.0\"?><Project Task=\"Compensation\" Framerate=\"25\" Name=\"Car\"><Transform/>"
        "<Transform x=\"1.5\"/><Transform/><Dim sx=\"720\" sy=\"576\"/><PixelAspectRatio num=\"59\" "
        "den=\"54\"/><Underlay path=\"plate\\\">" +
            frames + "</Underlay><Overlay path=\"art\\\"><Frame path=\"logo.tga\"/></Overlay></Project>");
}

TEST(ProjectDocument, DefaultsWriteOnlyTheAlwaysPresentElements) {
    EXPECT_EQ(writtenText(Project("C:\\job\\job.skp")),
              "<?xml version=\"1.0\"?><Project><Dim/><Underlay/><Overlay/></Project>");
    Project renamed("C:\\job\\job.skp");
    renamed.name = "";
    renamed.overlay.trimming = {0, 5};
    EXPECT_EQ(writtenText(renamed).substr(21),
              "<Project Name=\"\"><Dim/><Underlay/><Overlay><Trimming last=\"5\"/></Overlay></Project>");
}

// A job folder on disk: job.skp beside plate\ (100 frames) and art\ (40 frames and a logo).
class ProjectOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = testkit::windowsForm(dir_.path()) + "\\";
        plate_ = numbered(root_ + "plate\\p", 100, ".png");
        art_ = numbered(root_ + "art\\a", 40, ".png");
        for (const auto& file : plate_) testkit::writeFile(file, "png");
        for (const auto& file : art_) testkit::writeFile(file, "png");
        testkit::writeFile(root_ + "art\\logo.tga", "tga");
        testkit::writeFile(root_ + "loose.png", "png");
    }
    std::string projectFile() const { return root_ + "job.skp"; }
    Project load(const std::string& text) {
        testkit::writeFile(projectFile(), text);
        return loadProjectFile(projectFile());
    }
    std::string underlay(const std::string& attributes = "path=\"plate\\\"") const {
        return "<Underlay " + attributes +
               "><Frame path=\"p0000.png\"/><Frame path=\"p0001.png\"/></Underlay>";
    }

    testkit::TempDir dir_;
    std::string root_;
    std::vector<std::string> plate_, art_;
};

// A present Trimming without "last" reads last 0, and one that ends before it starts is kept as
// written: only building the overlay layer refuses it.
TEST_F(ProjectOnDisk, TrimmingAndOtherEdgeCases) {
    std::string fortyFrames;
    for (int i = 0; i < 40; ++i)
        fortyFrames += "<Frame path=\"a00" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".png\"/>";
    const auto logo = [](const std::string& trimming) {
        return "<Overlay path=\"art\\\"><Frame path=\"logo.tga\"/>" + trimming + "</Overlay>";
    };
    const struct {
        std::string body;
        int first, last;
        std::size_t overlayFiles;
    } cases[] = {
        {"<Overlay path=\"art\\\">" + fortyFrames + "</Overlay>", 0, 40, 40},
        {logo("<Trimming last=\"x\"/>"), 0, 0, 1},
        {logo("<Trimming first=\"5\" last=\"45\"/>"), 5, 45, 1},
        {logo("<Trimming first=\"5\"/>"), 5, 0, 1},
        {logo("<Trimming first=\"5\" last=\"4\"/>"), 5, 4, 1},
        {logo("<Trimming first=\"5\" last=\"5\"/>"), 5, 5, 1},
        {"", 0, 0, 0},                                                // no overlay: no files
        {"<Overlay><Frame path=\"loose.png\"/></Overlay>", 0, 2, 1},  // the project's own directory
    };
    for (const auto& c : cases) {
        const Project project = load("<Project>" + underlay() + c.body + "</Project>");
        EXPECT_EQ(project.overlay.files.size(), c.overlayFiles) << c.body;
        EXPECT_EQ(project.overlay.trimming.first, c.first) << c.body;
        EXPECT_EQ(project.overlay.trimming.last, c.last) << c.body;
    }
    EXPECT_EQ(load("<Project><Underlay><Frame path=\"loose.png\"/></Underlay></Project>").underlayFiles,
              std::vector<std::string>{root_ + "loose.png"});
    EXPECT_EQ(load("<Project Name=\"Car\">" + underlay() + "</Project>").name, "Car");
}

TEST_F(ProjectOnDisk, FootageInTheProjectDirectoryIsStoredWithoutPath) {
    Project project(projectFile());
    project.underlayFiles = {root_ + "loose.png"};
    project.overlay.files = {root_ + "loose.png"};
    project.overlay.trimming = {0, 1};
    EXPECT_EQ(writtenText(project).substr(21),
              "<Project><Dim/><Underlay><Frame path=\"loose.png\"/></Underlay><Overlay><Frame "
              "path=\"loose.png\"/></Overlay></Project>");
}

TEST_F(ProjectOnDisk, PushedProjectsNeedAbsolutePaths) {
    const std::string absolute =
        "<Message type=\"Project\"><Underlay path=\"" + root_ +
        "plate\\\" abs=\"1\"><Frame path=\"p0000.png\"/></Underlay><Overlay path=\"" + root_ +
        "art\\\" abs=\"1\"><Frame path=\"logo.tga\"/></Overlay></Message>";
    const Project pushed = readText(absolute, "");
    EXPECT_EQ(pushed.name, "");
    EXPECT_EQ(pushed.underlayFiles, std::vector<std::string>{plate_[0]});
    EXPECT_EQ(errorOf([&] { readText("<Message type=\"Project\">" + underlay() + "</Message>", ""); }),
              "absolute path expected");
    // A stabilisation project has no overlay to resolve, with or without an empty Overlay element.
    const std::string plate =
        "<Underlay path=\"" + root_ + "plate\\\" abs=\"1\"><Frame path=\"p0000.png\"/></Underlay>";
    for (const char* overlay : {"", "<Overlay/>", "<Overlay SourceOffset=\"3\"/>"}) {
        const Project stabilisation =
            readText("<Message type=\"Project\">" + plate + overlay + "</Message>", "");
        EXPECT_EQ(stabilisation.underlayFiles, std::vector<std::string>{plate_[0]}) << overlay;
        EXPECT_TRUE(stabilisation.overlay.files.empty()) << overlay;
    }
    EXPECT_EQ(errorOf([&] {
                  readText("<Message type=\"Project\">" + plate +
                               "<Overlay><Frame path=\"a.png\"/></Overlay></Message>",
                           "");
              }),
              "absolute path expected");
}

TEST_F(ProjectOnDisk, ErrorsNameWhatIsWrong) {
    const std::string missing = root_ + "none.skp";
    const std::string noFile = errorOf([&] { loadProjectFile(missing); });
    EXPECT_NE(noFile.find(missing), std::string::npos) << noFile;

    const std::string broken = errorOf([&] { load("<Project><Dim></Project>"); });
    EXPECT_NE(broken.find(projectFile()), std::string::npos) << broken;
    EXPECT_EQ(errorOf([&] { load(""); }).find(projectFile()) != std::string::npos, true);

    const std::string plate = root_ + "plate\\";
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"<Project>" + underlay("path=\"gone\\\"") + "</Project>",
         "path does not exist - " + root_ + "gone\\\n(base path is " + root_ + ", relative path is gone\\)"},
        {"<Project><Underlay path=\"plate\\\"><Frame path=\"p0100.png\"/></Underlay></Project>",
         "path does not exist - " + plate + "p0100.png\n(base path is " + plate +
             ", relative path is p0100.png)"},
        {"<Project><Dim/><Dim/></Project>", "Node is ambiguous (tag = Dim)"},
        {"<Project><PixelAspectRatio num=\"1\"/></Project>", "attribute not found"},
    };
    for (const auto& c : cases) EXPECT_EQ(errorOf([&] { load(c.text); }), c.error) << c.text;
}

TEST_F(ProjectOnDisk, RandomProjectsSurviveTheRoundTripThroughAFile) {
    testkit::writeFile(root_ + "shots\\s.png", "png");
    const std::string elsewhere = testkit::otherDriveAlias(root_ + "shots\\s.png");
    std::mt19937 random(99);
    auto pick = [&](const std::vector<std::string>& from) {
        std::vector<std::string> files;
        const std::size_t count = random() % 6;
        const std::size_t start = random() % from.size();
        for (std::size_t i = 0; i < count; ++i) {
            const unsigned kind = random() % 8;
            if (kind == 0)
                files.push_back(root_ + "shots\\s.png");  // a sibling directory
            else if (kind == 1 && !elsewhere.empty())
                files.push_back(elsewhere);  // another drive
            else if (kind == 2)
                files.push_back(root_ + "loose.png");  // the project's directory
            else
                files.push_back(from[(start + i) % from.size()]);
        }
        return files;
    };
    for (int round = 0; round < 60; ++round) {
        Project written(projectFile());
        written.first = static_cast<std::int32_t>(random() % 50) - 10;
        written.task = random() % 2 ? Task::Tracking : Task::Compensation;
        written.exportModel = static_cast<ExportModel>(random() % 8);
        written.exportInaccuracy = static_cast<float>(random() % 8) / 4;
        written.frames.resize(random() % 5);
        for (Transform& t : written.frames) t.x = static_cast<double>(random() % 1000) / 8;
        written.name = random() % 3 ? "job" : "Shot " + std::to_string(round);
        written.width = random() % 2000;
        written.height = random() % 2000;
        written.framerate = random() % 3 ? 30 : 25;
        written.pixelAspectRatio = random() % 2 ? PixelAspectRatio{} : PixelAspectRatio{59, 54};
        written.underlayFiles = pick(plate_);
        written.overlay.files = pick(art_);
        written.overlay.sourceOffset = static_cast<std::int32_t>(random() % 20) - 5;
        written.overlay.trimming =
            random() % 2 ? Trimming{0, static_cast<std::int32_t>(written.overlay.files.size() == 1
                                                                     ? written.underlayFiles.size()
                                                                     : written.overlay.files.size())}
                         : Trimming{3, 7};

        // Written again, what was read is what was written: every field came back.
        const Project read = load(writtenText(written, random() % 2 ? "Project" : "SkeldaProject"));
        EXPECT_EQ(writtenText(read), writtenText(written)) << "round " << round;
        EXPECT_EQ(read.path, written.path);
    }
}

}  // namespace
