#include "footage/path_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "support/file_system.h"
#include "tests/common/error_text.h"
#include "tests/common/test_dirs.h"
#include "tests/common/test_files.h"

namespace {

// Each path against a base directory and its relative form: made from the path, joined back to it
// with backslashes, or both.
TEST(RelativePath, AgainstABaseDirectory) {
    enum Way { Both, Make, Join };
    const struct {
        const char* path;
        const char* base;
        const char* relative;
        Way way;
    } cases[] = {
        {"C:\\job\\plate\\p0000.png", "C:\\job\\", "plate\\p0000.png", Both},
        {"C:\\job\\plate\\", "C:\\job\\", "plate\\", Both},
        {"C:\\job\\", "C:\\job\\", "", Both},
        {"C:\\other\\x.png", "C:\\job\\", "..\\other\\x.png", Both},
        {"C:\\job\\art\\logo.tga", "C:\\job\\shots\\a\\", "..\\..\\art\\logo.tga", Both},
        {"C:\\job\\art\\logo.tga", "C:\\job\\shots", "..\\art\\logo.tga", Both},
        {"C:\\Job\\x.png", "C:\\job\\", "..\\Job\\x.png", Both},  // letter case counts
        {"C:/job/plate/a.png", "C:\\job", "plate\\a.png", Make},
        {"C:\\job\\plate\\a.png", "C:/job/", "plate\\a.png", Both},
        {"C:\\jobs\\a.png", "C:\\job", "..\\jobs\\a.png", Both},  // whole components only
        {"C:\\job", "C:\\job\\", "..\\job", Both},
        {"C:\\x.png", "C:\\", "x.png", Both},
        {"", "C:\\job\\", "", Make},
        {"C:\\job\\plate\\p0000.png", "C:/job", "plate/p0000.png", Join},
        {"C:\\x.png", "C:\\a\\b\\", "../../x.png", Join},
        {"C:\\a\\.\\x\\..\\y", "C:\\a\\b\\", "..\\.\\x\\..\\y", Join},  // only leading steps are taken
        {"C:/job", "C:/job", "", Join},                                 // the base itself, as it was given
    };
    for (const auto& c : cases) {
        if (c.way != Join) {
            EXPECT_EQ(makeRelativePath(c.path, c.base), c.relative) << c.path << " | " << c.base;
        }
        if (c.way != Make) {
            EXPECT_EQ(joinRelativePath(c.relative, c.base), c.path) << c.relative << " | " << c.base;
        }
    }
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
            testkit::errorOf([&] { joinRelativePath(c.relative, c.base); }),
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

TEST(ResolvePathReference, ExistingTargetsResolveAndErrorsNameThePaths) {
    testkit::TempDir dir;
    testkit::writeFile(dir.file("job/plate/p0000.png"), "png");
    const std::string base = dir.file("job"), absolute = dir.file("job/plate/p0000.png");
    const std::string missing = dir.file("job/plate/p0001.png");
    EXPECT_EQ(resolvePathReference({absolute, true}, ""), absolute);
    EXPECT_EQ(resolvePathReference({absolute, true}, base), absolute);
    EXPECT_TRUE(isRegularFile(resolvePathReference({"plate\\p0000.png", false}, base)));
    EXPECT_TRUE(fileExists(resolvePathReference({"..\\job\\plate\\", false}, base)));
    EXPECT_EQ(resolvePathReference({"", false}, base), base);
    // Flat cases: g++ 12 at -O3 loses a nested record's strings in the array's clean-up path.
    const struct {
        std::string path;
        bool abs;
        std::string base, error;
    } cases[] = {
        {"plate\\p0000.png", false, "", "absolute path expected"},
        {"", false, "", "absolute path expected"},
        {missing, true, base, "path does not exist - " + missing},
        {"plate\\p0001.png", false, base,
         "path does not exist - " + joinRelativePath("plate\\p0001.png", base) + "\n(base path is " + base +
             ", relative path is plate\\p0001.png)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(testkit::errorOf([&] {
                      resolvePathReference({c.path, c.abs}, c.base);
                  }),
                  c.error)
            << c.path;
}

}  // namespace
