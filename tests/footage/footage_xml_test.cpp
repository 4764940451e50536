#include "footage/footage_xml.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "message/xml_tree.h"
#include "tests/common/error_text.h"
#include "tests/common/test_dirs.h"
#include "tests/common/test_drives.h"
#include "tests/common/test_files.h"

namespace {

FootageDescription footageOf(std::vector<std::string> files) {
    FootageDescription description;
    description.files = std::move(files);
    return description;
}

// A description written into a fresh element, read back as text and parsed again.
std::string writtenText(FootageDescription description) {
    xml::tree tree;
    tree.create("Footage");
    serializeFootageDescription(XmlArchive::writer(tree.root()), description);
    return tree.text();
}

FootageDescription readBack(const std::string& text, FootageDescription into = FootageDescription()) {
    xml::tree tree;
    tree.parse(text);
    serializeFootageDescription(XmlArchive::reader(tree.root()), into);
    return into;
}

TEST(FootageDescriptionXml, WhatIsLeftOutOrStoredAbsolute) {
    const struct {
        FootageDescription description;
        const char* text;
    } cases[] = {
        {{}, "<Footage/>"},
        {{{}, 30, {2, 2}, 0}, "<Footage/>"},
        {{{}, 30, {0, 0}, 0}, "<Footage/>"},
        {{{}, 29, {-1, 4294967295u}, -3},
         "<Footage Framerate=\"29\" StartFrame=\"-3\"><PixelAspectRatio num=\"-1\" den=\"4294967295\"/>"
         "</Footage>"},
        {footageOf({"C:\\a\\f1.png", "D:\\b\\f2.png", "C:\\a\\f3.png"}),
         "<Footage path=\"C:\\a\\\" abs=\"1\"><Frame path=\"f1.png\"/><Frame path=\"D:\\b\\f2.png\" "
         "abs=\"1\"/>"
         "<Frame path=\"f3.png\"/></Footage>"},
        {footageOf({"C:\\job\\plate\\p1.png", "C:\\job\\other\\p2.png", "C:/job/plate/sub/p3.png"}),
         "<Footage path=\"C:\\job\\plate\\\" abs=\"1\"><Frame path=\"p1.png\"/>"
         "<Frame path=\"..\\other\\p2.png\"/><Frame path=\"sub\\p3.png\"/></Footage>"},
    };
    for (const auto& c : cases) {
        const std::string text = writtenText(c.description);
        EXPECT_EQ(text.substr(text.find("<Footage")), c.text);
    }
}

TEST(FootageDescriptionXml, WritingOnNoElementRaises) {
    FootageDescription description = footageOf({"C:\\a\\f.png"});
    EXPECT_THROW(serializeFootageDescription(XmlArchive::writer(xml::node()), description),
                 xml::attribute_not_found);
    FootageDescription empty;
    EXPECT_NO_THROW(serializeFootageDescription(XmlArchive::writer(xml::node()), empty));
}

class FootageOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = testkit::windowsForm(dir_.path()) + "\\";
        for (int i = 0; i < 20; ++i)
            testkit::writeFile(root_ + "plate\\f" + std::to_string(i) + ".png", "png");
        testkit::writeFile(root_ + "other\\g.png", "png");
    }
    // A footage element on the plate directory with the given children.
    std::string element(const std::string& attributes, const std::string& children = std::string()) const {
        return "<Footage path=\"" + root_ + "plate\\\" abs=\"1\" " + attributes + ">" + children +
               "</Footage>";
    }

    testkit::TempDir dir_;
    std::string root_;
};

// Unreadable attributes take their defaults; the "Frame" children decide the list's length.
TEST_F(FootageOnDisk, LenientAttributesAndTheFrameCount) {
    const FootageDescription read =
        readBack(element("Framerate=\"abc\" StartFrame=\"x1\"", "<Frame path=\"f1.png\" abs=\"yes\"/>"));
    EXPECT_EQ(read.framerate, 30u);
    EXPECT_EQ(read.startFrame, 0);
    EXPECT_EQ(read.pixelAspectRatio.num, 1);
    EXPECT_EQ(read.pixelAspectRatio.den, 1u);
    EXPECT_EQ(read.files, std::vector<std::string>{root_ + "plate\\f1.png"});
    std::string frames;
    for (int i = 0; i < 10; ++i) frames += "<Frame path=\"f" + std::to_string(i) + ".png\"/>";
    FootageDescription twenty;
    twenty.files.assign(20, "stale");
    EXPECT_EQ(readBack(element("", frames), twenty).files.size(), 10u);
    EXPECT_TRUE(readBack(element("")).files.empty());
}

TEST_F(FootageOnDisk, ReadingErrors) {
    const std::string plate = root_ + "plate\\";
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"<Message type=\"Overlay\"/>", "absolute path expected"},
        {"<Footage path=\"" + plate + "\"/>", "absolute path expected"},
        {"<Footage path=\"" + plate + "\" abs=\"2\"><Frame path=\"f1.png\"/></Footage>",
         "absolute path expected"},
        {"<Footage path=\"" + root_ + "gone\\\" abs=\"1\"/>", "path does not exist - " + root_ + "gone\\"},
        {element("", "<Frame path=\"f1.png\"/><Frame path=\"f99.png\"/>"),
         "path does not exist - " + plate + "f99.png\n(base path is " + plate +
             ", relative path is f99.png)"},
        {element("", "<Frame path=\"..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\x.png\"/>"),
         "relative path \"..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\x.png\" leads above the base path "
         "\"" +
             plate + "\""},
        {element("", "<PixelAspectRatio den=\"11\"/>"), "attribute not found"},
        {element("", "<PixelAspectRatio num=\"x\" den=\"11\"/>"), "attribute parse error"},
        {element("", "<PixelAspectRatio num=\"1\" den=\"1\"/><PixelAspectRatio num=\"1\" den=\"1\"/>"),
         "Node is ambiguous (tag = PixelAspectRatio)"},
    };
    for (const auto& c : cases) EXPECT_EQ(testkit::errorOf([&] { readBack(c.text); }), c.error) << c.text;
}

TEST_F(FootageOnDisk, RandomDescriptionsSurviveTheRoundTrip) {
    const std::string elsewhere = testkit::otherDriveAlias(root_ + "other\\g.png");
    std::mt19937 random(2024);
    const PixelAspectRatio ratios[] = {{1, 1}, {10, 11}, {59, 54}, {2, 2}, {-3, 7}, {0, 0}};
    const std::uint32_t rates[] = {30, 25, 24, 60, 0};
    const std::int32_t starts[] = {0, 100, -5, 2147483647};
    for (int round = 0; round < 200; ++round) {
        FootageDescription written;
        const std::size_t count = random() % 8;
        for (std::size_t i = 0; i < count; ++i) {
            switch (random() % 6) {
                case 0:
                    written.files.push_back(root_ + "other\\g.png");
                    break;
                case 1:
                    if (!elsewhere.empty()) {
                        written.files.push_back(elsewhere);
                        break;
                    }
                    [[fallthrough]];
                default:
                    written.files.push_back(root_ + "plate\\f" + std::to_string(random() % 20) + ".png");
            }
        }
        written.framerate = rates[random() % 5];
        written.pixelAspectRatio = ratios[random() % 6];
        written.startFrame = starts[random() % 4];
        if (written.files.empty()) continue;  // nothing locates an empty list in a message

        const FootageDescription read = readBack(writtenText(written));
        EXPECT_EQ(read.files, written.files);
        EXPECT_EQ(read.framerate, written.framerate);
        const PixelAspectRatio expected =
            isSquare(written.pixelAspectRatio) ? PixelAspectRatio{} : written.pixelAspectRatio;
        EXPECT_EQ(read.pixelAspectRatio.num, expected.num);
        EXPECT_EQ(read.pixelAspectRatio.den, expected.den);
        EXPECT_EQ(read.startFrame, written.startFrame);
    }
}

}  // namespace
