#include <gtest/gtest.h>

#include <string>

#include "support/file_system.h"
#include "tests/common/test_dirs.h"
#include "tests/common/test_files.h"

namespace detail {
// The fallback for file systems that lack RENAME_NOREPLACE, reached directly here because
// the test machine's file systems all have it.
bool renameByLink(const std::string& from, const std::string& to);
}  // namespace detail

namespace {

TEST(RenameByLink, MovesOrRefusesWithoutReplacing) {
    testkit::TempDir dir;
    testkit::writeFile(dir.file("a"), "a");
    testkit::writeFile(dir.file("b"), "b");

    EXPECT_FALSE(detail::renameByLink(dir.file("a"), dir.file("b")));
    EXPECT_EQ(testkit::readFile(dir.file("a")), "a");
    EXPECT_EQ(testkit::readFile(dir.file("b")), "b");

    EXPECT_TRUE(detail::renameByLink(dir.file("a"), dir.file("c")));
    EXPECT_FALSE(fileExists(dir.file("a")));
    EXPECT_EQ(testkit::readFile(dir.file("c")), "a");

    EXPECT_FALSE(detail::renameByLink(dir.file("missing"), dir.file("d")));
    EXPECT_FALSE(fileExists(dir.file("d")));
}

}  // namespace
