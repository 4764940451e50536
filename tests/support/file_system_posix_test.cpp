#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "common/test_dirs.h"
#include "support/file_system.h"

namespace detail {
// The fallback for file systems that lack RENAME_NOREPLACE, reached directly here because
// the test machine's file systems all have it.
bool renameByLink(const std::string& from, const std::string& to);
}  // namespace detail

namespace {

std::string contentOf(const std::string& path) {
    std::ifstream in(path);
    std::string text;
    std::getline(in, text);
    return text;
}

TEST(RenameByLink, MovesOrRefusesWithoutReplacing) {
    testkit::TempDir dir;
    std::ofstream(dir.file("a")) << "a";
    std::ofstream(dir.file("b")) << "b";

    EXPECT_FALSE(detail::renameByLink(dir.file("a"), dir.file("b")));
    EXPECT_EQ(contentOf(dir.file("a")), "a");
    EXPECT_EQ(contentOf(dir.file("b")), "b");

    EXPECT_TRUE(detail::renameByLink(dir.file("a"), dir.file("c")));
    EXPECT_FALSE(fileExists(dir.file("a")));
    EXPECT_EQ(contentOf(dir.file("c")), "a");

    EXPECT_FALSE(detail::renameByLink(dir.file("missing"), dir.file("d")));
    EXPECT_FALSE(fileExists(dir.file("d")));
}

}  // namespace
