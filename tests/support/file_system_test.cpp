#include "support/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/common/error_text.h"
#include "tests/common/test_dirs.h"
#include "tests/common/test_files.h"

namespace fs = std::filesystem;

namespace {

std::string withSeparator(std::string path, char separator) {
    std::replace(path.begin(), path.end(), separator == '/' ? '\\' : '/', separator);
    return path;
}

TEST(FileTests, ExistenceAndRegularFileWithEitherSeparator) {
    testkit::TempDir dir;
    testkit::writeFile(dir.file("p0000.png"), "png");
    fs::create_directory(dir.file("plate"));
    const struct {
        std::string path;
        bool exists;
        bool regular;
    } cases[] = {
        {dir.file("p0000.png"), true, true},
        {dir.file("plate"), true, false},
        {dir.file("plate") + "/", true, false},
        {dir.path(), true, false},
        {dir.file("missing.png"), false, false},
        {dir.file("plate") + "/missing.png", false, false},
        {"", false, false},
    };
    for (const auto& c : cases) {
        for (char separator : {'/', '\\'}) {
            const std::string path = withSeparator(c.path, separator);
            EXPECT_EQ(fileExists(path), c.exists) << path;
            EXPECT_EQ(isRegularFile(path), c.regular) << path;
        }
    }
}

TEST(RenameFile, MovesAFileOrADirectoryWithItsContent) {
    testkit::TempDir dir;
    testkit::writeFile(dir.file("notes.png"), "keep me");
    testkit::writeFile(dir.file("sub.png") + "/inner", "x");
    renameFile(withSeparator(dir.file("notes.png"), '\\'), withSeparator(dir.file("notes.png.x"), '\\'));
    renameFile(dir.file("sub.png"), dir.file("sub.png.x"));
    EXPECT_FALSE(fileExists(dir.file("notes.png")));
    EXPECT_FALSE(fileExists(dir.file("sub.png")));
    EXPECT_EQ(testkit::readFile(dir.file("notes.png.x")), "keep me");
    EXPECT_EQ(testkit::readFile(dir.file("sub.png.x") + "/inner"), "x");
}

TEST(RenameFile, FailureNamesBothPathsAndChangesNothing) {
    testkit::TempDir dir;
    testkit::writeFile(dir.file("from.png"), "source");
    testkit::writeFile(dir.file("to.png"), "the user's file");
    fs::create_directory(dir.file("taken"));
    const struct {
        std::string from, to;
    } cases[] = {
        {dir.file("from.png"), dir.file("to.png")},                // existing target is never replaced
        {dir.file("from.png"), dir.file("taken")},                 // nor an existing directory
        {dir.file("missing.png"), dir.file("new.png")},            // missing source
        {dir.file("from.png"), dir.file("nowhere") + "/new.png"},  // target directory missing
    };
    for (const auto& c : cases) {
        EXPECT_EQ(testkit::errorOf([&] { renameFile(c.from, c.to); }),
                  "failed to rename \"" + c.from + "\" into \"" + c.to + "\"");
        EXPECT_EQ(testkit::readFile(dir.file("from.png")), "source");
        EXPECT_EQ(testkit::readFile(dir.file("to.png")), "the user's file");
        EXPECT_TRUE(fs::is_directory(dir.file("taken")));
        EXPECT_TRUE(fs::is_empty(dir.file("taken")));
        EXPECT_FALSE(fileExists(dir.file("new.png")));
    }
}

TEST(FindFiles, ListsMatchingEntriesSortedIgnoringCase) {
    testkit::TempDir dir;
    for (const char* name : {"p0001.png", "p0000.png", "notes.PNG", "a.txt", "p0000.png.x"})
        testkit::writeFile(dir.file(name), name);
    fs::create_directory(dir.file("sub.png"));

    const std::vector<std::string> expected = {"notes.PNG", "p0000.png", "p0001.png", "sub.png"};
    EXPECT_EQ(findFiles(dir.file("*.png")), expected);
    EXPECT_EQ(findFiles(withSeparator(dir.file("*.png"), '\\')), expected);
    EXPECT_EQ(findFiles(withSeparator(dir.file("*.png"), '/')), expected);
    EXPECT_EQ(findFiles(dir.file("p000?.png")), (std::vector<std::string>{"p0000.png", "p0001.png"}));
    EXPECT_TRUE(findFiles(dir.file("*.tga")).empty());
    EXPECT_TRUE(findFiles(dir.file("missing") + "/*.png").empty());

    const std::vector<std::string> all = findFiles(dir.file("*"));
    for (const char* name : {".", "..", "a.txt", "p0000.png.x", "sub.png"})
        EXPECT_NE(std::find(all.begin(), all.end(), name), all.end()) << name;
    EXPECT_EQ(all.size(), 8u);
}

}  // namespace
