#include "footage/path_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>

#include "common/test_dirs.h"
#include "support/file_system.h"

namespace fs = std::filesystem;

namespace {

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(MakeRelativePath, AgainstABaseDirectory) {
    const struct {
        const char* path;
        const char* base;
        const char* relative;
    } cases[] = {
        {"C:\\job\\plate\\p0000.png", "C:\\job\\", "plate\\p0000.png"},
        {"C:\\job\\plate\\", "C:\\job\\", "plate\\"},
        {"C:\\job\\", "C:\\job\\", ""},
        {"C:\\other\\x.png", "C:\\job\\", "..\\other\\x.png"},
        {"C:\\job\\art\\logo.tga", "C:\\job\\shots\\a\\", "..\\..\\art\\logo.tga"},
        {"C:\\Job\\x.png", "C:\\job\\", "..\\Job\\x.png"},  // letter case counts
        {"C:/job/plate/a.png", "C:\\job", "plate\\a.png"},
        {"C:\\job\\plate\\a.png", "C:/job/", "plate\\a.png"},
        {"C:\\jobs\\a.png", "C:\\job", "..\\jobs\\a.png"},  // whole components only
        {"C:\\job", "C:\\job\\", "..\\job"},
        {"C:\\x.png", "C:\\", "x.png"},
        {"", "C:\\job\\", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(makeRelativePath(c.path, c.base), c.relative) << c.path << " | " << c.base;
}

TEST(JoinRelativePath, AgainstABaseDirectory) {
    const struct {
        const char* relative;
        const char* base;
        const char* path;
    } cases[] = {
        {"..\\art\\logo.tga", "C:\\job\\shots", "C:\\job\\art\\logo.tga"},
        {"plate\\p0000.png", "C:\\job\\", "C:\\job\\plate\\p0000.png"},
        {"plate/p0000.png", "C:/job", "C:\\job\\plate\\p0000.png"},
        {"../../x.png", "C:\\a\\b\\", "C:\\x.png"},
        {"..\\.\\x\\..\\y", "C:\\a\\b\\", "C:\\a\\.\\x\\..\\y"},  // only leading steps are taken
        {"", "C:/job", "C:/job"},
        {"", "C:\\job\\", "C:\\job\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(joinRelativePath(c.relative, c.base), c.path) << c.relative << " | " << c.base;
}

TEST(JoinRelativePath, StepsAboveTheBaseRaiseNamingBothTexts) {
    const struct {
        const char* relative;
        const char* base;
    } cases[] = {
        {"..\\..\\x.png", "C:\\job\\"},
        {"..\\x.png", "C:\\"},
        {"..\\..\\..\\..\\x", "\\\\server\\share\\"},
        {"../x", "job"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(
            errorOf([&] { joinRelativePath(c.relative, c.base); }),
            std::string("relative path \"") + c.relative + "\" leads above the base path \"" + c.base + "\"");
    }
}

TEST(MakePathReference, RelativeOnTheBaseDriveOnly) {
    const struct {
        const char* path;
        const char* base;
        const char* stored;
        bool abs;
    } cases[] = {
        {"C:\\job\\plate\\p0000.png", "", "C:\\job\\plate\\p0000.png", true},
        {"D:\\x.png", "C:\\job\\", "D:\\x.png", true},
        {"c:\\job\\x.png", "C:\\job\\", "c:\\job\\x.png", true},  // drives compare byte for byte
        {"C:/job/plate/a.png", "C:\\job", "plate\\a.png", false},
        {"C:\\job\\", "C:\\job\\", "", false},
        {"\\\\server\\share\\job\\a.png", "\\\\server\\share\\", "job\\a.png", false},
    };
    for (const auto& c : cases) {
        const PathReference reference = makePathReference(c.path, c.base);
        EXPECT_EQ(reference.path, c.stored) << c.path;
        EXPECT_EQ(reference.abs, c.abs) << c.path;
    }
}

TEST(RelativePaths, RoundTripGivesThePathWithBackslashes) {
    std::mt19937 random(7);
    const char* names[] = {"job", "plate", "Art", "a", "shots", "x.y"};
    auto randomPath = [&](bool directory) {
        std::string path = "C:";
        const int depth = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < depth; ++i)
            path += (random() % 2 ? "\\" : "/") + std::string(names[random() % 6]);
        return directory ? path + (random() % 2 ? "\\" : "") : path + ".png";
    };
    for (int round = 0; round < 500; ++round) {
        const std::string base = randomPath(true), path = randomPath(random() % 4 == 0);
        const std::string relative = makeRelativePath(path, base);
        std::string expected = path;
        std::replace(expected.begin(), expected.end(), '/', '\\');
        // The base directory itself is stored as the empty text and comes back as the base was given.
        if (relative.empty()) expected = base;
        EXPECT_EQ(joinRelativePath(relative, base), expected) << path << " | " << base;
    }
    EXPECT_EQ(joinRelativePath(makeRelativePath("C:/job/", "C:/job/"), "C:/job/"), "C:/job/");
    EXPECT_EQ(joinRelativePath(makeRelativePath("C:/job", "C:/job"), "C:/job"), "C:\\job");
}

class ResolvePathReference : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir_.file("job/plate"));
        std::ofstream(dir_.file("job/plate/p0000.png")) << "png";
        base_ = dir_.file("job");
    }
    testkit::TempDir dir_;
    std::string base_;
};

TEST_F(ResolvePathReference, ExistingTargetsResolve) {
    const std::string absolute = dir_.file("job/plate/p0000.png");
    EXPECT_EQ(resolvePathReference({absolute, true}, ""), absolute);
    EXPECT_EQ(resolvePathReference({absolute, true}, base_), absolute);
    EXPECT_TRUE(isRegularFile(resolvePathReference({"plate\\p0000.png", false}, base_)));
    EXPECT_TRUE(fileExists(resolvePathReference({"..\\job\\plate\\", false}, base_)));
    EXPECT_EQ(resolvePathReference({"", false}, base_), base_);
}

TEST_F(ResolvePathReference, ErrorsNameThePaths) {
    EXPECT_EQ(errorOf([&] {
                  resolvePathReference({"plate\\p0000.png", false}, "");
              }),
              "absolute path expected");
    EXPECT_EQ(errorOf([&] { resolvePathReference({"", false}, ""); }), "absolute path expected");

    const std::string missing = dir_.file("job/plate/p0001.png");
    EXPECT_EQ(errorOf([&] {
                  resolvePathReference({missing, true}, base_);
              }),
              "path does not exist - " + missing);

    const std::string resolved = joinRelativePath("plate\\p0001.png", base_);
    EXPECT_EQ(errorOf([&] {
                  resolvePathReference({"plate\\p0001.png", false}, base_);
              }),
              "path does not exist - " + resolved + "\n(base path is " + base_ +
                  ", relative path is plate\\p0001.png)");
}

}  // namespace
