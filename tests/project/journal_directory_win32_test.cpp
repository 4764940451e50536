#include <gtest/gtest.h>

#include <string>

#include "project/journal_file.h"
#include "tests/project/isolation_kit.h"

using namespace isolationkit;

namespace {

TEST(JournalDirectoryTest, TheOverrideThenTheUsersLocalApplicationData) {
    const std::string override = "C:\\state", local = "C:\\Users\\u\\AppData\\Local",
                      profile = "C:\\Users\\u";
    const struct {
        const std::string* override;
        const std::string* local;
        const std::string* profile;
        std::string expected;
    } cases[] = {
        {&override, &local, &profile, "C:\\state\\"},
        {nullptr, &local, &profile, "C:\\Users\\u\\AppData\\Local\\Skelda\\"},
        {nullptr, nullptr, &profile, "C:\\Users\\u\\AppData\\Local\\Skelda\\"},
    };
    for (const auto& c : cases) {
        ScopedEnv a("SKELDA_STATE_DIR", c.override), b("LOCALAPPDATA", c.local), d("USERPROFILE", c.profile);
        EXPECT_EQ(journalDirectory(), c.expected);
    }
}

}  // namespace
