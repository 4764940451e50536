#include "support/path_parts.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/common/error_text.h"

namespace {

struct SplitCase {
    const char* path;
    const char* drive;
    const char* directory;
    const char* fileName;
    const char* extension;
};

TEST(SplitPath, PartsAsTheRuntimeSplitsThem) {
    const SplitCase cases[] = {
        {"C:\\job\\plate\\p0000.png", "C:", "\\job\\plate\\", "p0000", ".png"},
        {"C:\\a\\b.c.d", "C:", "\\a\\", "b.c", ".d"},
        {"C:/job/plate/p.png", "C:", "/job/plate/", "p", ".png"},
        {"C:\\job/mixed\\x", "C:", "\\job/mixed\\", "x", ""},
        {"p0000.png", "", "", "p0000", ".png"},
        {"C:", "C:", "", "", ""},
        {"C:job.skp", "C:", "", "job", ".skp"},
        {"\\\\server\\share\\f.tga", "", "\\\\server\\share\\", "f", ".tga"},
        {"C:\\dir.v2\\noext", "C:", "\\dir.v2\\", "noext", ""},
        {"C:\\job\\", "C:", "\\job\\", "", ""},
        {".hidden", "", "", "", ".hidden"},
        {"", "", "", "", ""},
    };
    for (const SplitCase& c : cases) {
        std::string drive = "?", directory = "?", fileName = "?", extension = "?";
        splitPath(c.path, &drive, &directory, &fileName, &extension);
        EXPECT_EQ(drive, c.drive) << c.path;
        EXPECT_EQ(directory, c.directory) << c.path;
        EXPECT_EQ(fileName, c.fileName) << c.path;
        EXPECT_EQ(extension, c.extension) << c.path;
        // Outputs not asked for are skipped.
        std::string alone;
        splitPath(c.path, nullptr, nullptr, nullptr, &alone);
        EXPECT_EQ(alone, c.extension) << c.path;
    }
}

TEST(MakePath, JoinsThePartsGivenUpToTheLongestPath) {
    const std::string longest = "\\" + std::string(250, 'd') + "\\";
    const struct {
        std::string drive, directory, fileName, extension, path;
    } cases[] = {
        {"C:", "\\job\\", "*", ".png", "C:\\job\\*.png"},
        {"C:", "\\job", "x", "png", "C:\\job\\x.png"},
        {"C", "\\job/", "x", "", "C:\\job/x"},
        {"", "plate", "p0000", ".png", "plate\\p0000.png"},
        {"C:", "\\job\\", "", "", "C:\\job\\"},
        {"", "", "name", "", "name"},
        {"", "", "", "", ""},
        {"C:", longest, "fffff", "", "C:" + longest + "fffff"},
    };
    for (const auto& c : cases) EXPECT_EQ(makePath(c.drive, c.directory, c.fileName, c.extension), c.path);
    EXPECT_EQ(kMaxPathLength, 2 + longest.size() + 5);
}

TEST(MakePath, OverLongPartsRaiseInOrderAndJoinNothing) {
    const std::string part256(256, 'a'), part257(257, 'a');
    struct Case {
        std::string drive, directory, fileName, extension;
        const char* message;
    };
    const Case cases[] = {
        {"C:\\x", "\\job\\", "f", ".png", "drive too long"},
        {"C:\\x", part257, part257, part257, "drive too long"},
        {"C:", part257, "f", ".png", "path too long"},
        {"C:", part257, part257, part257, "path too long"},
        {"C:", "\\", part257, part257, "file name too long"},
        {"C:", "\\", "f", part257, "extension too long"},
        // Every part fits but the joined path would not.
        {"C:", "\\" + std::string(200, 'd') + "\\", std::string(60, 'f'), "", "path too long"},
        {"", "", part256, part256, "path too long"},
        {"C:", "\\" + std::string(250, 'd') + "\\", "ffffff", "", "path too long"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(testkit::errorOf([&] { makePath(c.drive, c.directory, c.fileName, c.extension); }),
                  c.message);
}

TEST(DirectoryAndFileName, OfExamplePaths) {
    const std::string d300(300, 'd'), f300(300, 'f');
    const struct {
        std::string path, directory, fileName;
    } cases[] = {
        {"C:\\job\\plate\\p0000.png", "C:\\job\\plate\\", "p0000"},
        {"C:\\job\\job.skp", "C:\\job\\", "job"},
        {"C:\\a\\b.c.d", "C:\\a\\", "b.c"},
        {"p0000.png", "", "p0000"},
        {"/tmp/sample/job.skp", "/tmp/sample/", "job"},
        {"", "", ""},
        // Never raises on an over-long path.
        {"C:\\" + d300 + "\\" + f300 + ".png", "C:\\" + d300 + "\\", f300},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(directoryOf(c.path), c.directory) << c.path;
        EXPECT_EQ(fileNameOf(c.path), c.fileName) << c.path;
    }
}

}  // namespace
