// Symbolic links beside a sequence: renamed as links, their targets untouched.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "project/sequence_isolator.h"
#include "tests/project/isolation_kit.h"

using namespace isolationkit;

namespace {

// Links named like frames, to a file and to a directory, are moved aside and back as links;
// the directory named like a frame stays, and so does everything that does not match.
using SequenceIsolatorPosixTest = IsolationTest;

TEST_F(SequenceIsolatorPosixTest, LinksAreRenamedAsThemselvesAndDirectoriesStay) {
    for (const char* name : {"p0000.png", "p0001.png", "notes.png", "photo.jpg", "target.dat"})
        writeFile(dir.file(name), name);
    fs::create_directory(dir.file("old.png"));
    fs::create_symlink("target.dat", dir.file("link.png"));
    fs::create_directory_symlink("old.png", dir.file("folder-link.png"));
    RenameCounter calls;
    {
        SequenceIsolator isolator({dir.file("p0000.png"), dir.file("p0001.png")}, calls, nullptr);
        for (const char* aside : {"notes.png.x", "link.png.x", "folder-link.png.x"})
            EXPECT_TRUE(fs::exists(fs::symlink_status(dir.file(aside)))) << aside;
        EXPECT_TRUE(fs::is_symlink(dir.file("link.png.x")));
        EXPECT_TRUE(fs::is_directory(fs::symlink_status(dir.file("old.png"))));
        EXPECT_EQ(readFile(dir.file("target.dat")), "target.dat");
        isolator.restore();
    }
    std::vector<std::string> sources;
    for (std::size_t i = 0; i < calls.renamed.size(); i += 2) sources.push_back(calls.renamed[i]);
    EXPECT_EQ(sources, (std::vector<std::string>{dir.file("folder-link.png"), dir.file("link.png"),
                                                 dir.file("notes.png"), dir.file("folder-link.png.x"),
                                                 dir.file("link.png.x"), dir.file("notes.png.x")}));
    EXPECT_EQ(fs::read_symlink(dir.file("link.png")), "target.dat");
    EXPECT_EQ(fs::read_symlink(dir.file("folder-link.png")), "old.png");
    EXPECT_TRUE(fs::is_directory(fs::symlink_status(dir.file("old.png"))));
    EXPECT_TRUE(state.journals().empty());
}

}  // namespace
