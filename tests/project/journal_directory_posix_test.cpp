#include <gtest/gtest.h>

#include <string>

#include "project/journal_file.h"
#include "tests/project/isolation_kit.h"

using namespace isolationkit;

namespace {

TEST(JournalDirectoryTest, TheOverrideThenTheUsersStateDirectoryMadePrivate) {
    const std::string override = "/tmp/state", xdg = "/x/state", home = "/home/u";
    const struct {
        const std::string* override;
        const std::string* xdg;
        const std::string* home;
        std::string expected;
    } cases[] = {
        {&override, &xdg, &home, "/tmp/state/"},
        {nullptr, &xdg, &home, "/x/state/skelda/"},
        {nullptr, nullptr, &home, "/home/u/.local/state/skelda/"},
    };
    for (const auto& c : cases) {
        ScopedEnv a("SKELDA_STATE_DIR", c.override), b("XDG_STATE_HOME", c.xdg), d("HOME", c.home);
        EXPECT_EQ(journalDirectory(), c.expected);
    }
    // Made on first use, private to the user.
    testkit::TempDir dir;
    JournalFile journal = JournalFile::create(dir.file("a/skelda/"), "text");
    EXPECT_EQ(fs::status(dir.file("a/skelda")).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(readFile(journal.path()), "text");
}

}  // namespace
