#include "project/rename_journal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(RenameJournalTest, EveryPathComesBackAsWritten) {
    const std::vector<JournalEntry> entries = {
        {"C:\\job\\plate\\notes.png", false},
        {"/home/u/100% done.png", true},
        {"/odd/line\nfeed\rand%0A.png", false},
        {"", false},
    };
    const auto parsed = parseJournal(formatJournal(entries));
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(*parsed, entries);
    EXPECT_EQ(parseJournal(formatJournal({})), std::vector<JournalEntry>{});
}

TEST(RenameJournalTest, AJournalCutShortOrDamagedIsNoJournal) {
    const std::string whole = formatJournal({{"/d/a.png", false}, {"/d/b.png", true}});
    const std::string cases[] = {
        "",
        whole.substr(0, whole.size() - 1),  // the end line without its line feed
        whole.substr(0, whole.size() - 4),  // no end line
        whole.substr(0, whole.find("b.png")),
        whole + "- /d/c.png\n",
        "Skelda rename journal 2\nend\n",
        "Skelda rename journal 1\n+ /d/a.png\nend\n",
        "Skelda rename journal 1\n-/d/a.png\nend\n",
        "Skelda rename journal 1\n- /d/%4\nend\n",
        "Skelda rename journal 1\n- /d/%zz.png\nend\n",
    };
    for (const std::string& text : cases) EXPECT_FALSE(parseJournal(text).has_value()) << text;
}

}  // namespace
