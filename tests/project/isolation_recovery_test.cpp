#include "project/isolation_recovery.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "project/rename_journal.h"
#include "project/sequence_isolator.h"
#include "tests/project/isolation_kit.h"

using namespace isolationkit;

namespace {

class IsolationRecoveryTest : public IsolationTest {
protected:
    void writeJournal(const std::string& text) { writeFile(state.path() + "/rename-1-0.journal", text); }
};

TEST_F(IsolationRecoveryTest, WhatAJournalListsAsAsideComesBackWhenItsNameIsFree) {
    writeFile(dir.file("moved.png.x"), "moved");       // moved aside, then the process died
    writeFile(dir.file("back.png"), "back");           // already back
    writeFile(dir.file("never.png"), "never");         // never moved
    writeFile(dir.file("taken.png.x"), "the user's");  // the aside name was the user's before
    writeFile(dir.file("blocked.png"), "new");         // a new file took the old name
    writeFile(dir.file("blocked.png.x"), "old");
    writeJournal(formatJournal({{dir.file("back.png"), false},
                                {dir.file("blocked.png"), false},
                                {dir.file("moved.png"), false},
                                {dir.file("never.png"), false},
                                {dir.file("taken.png"), true}}));

    const IsolationRecovery recovery = recoverIsolatedFiles();
    EXPECT_EQ(recovery.restored, std::vector<std::string>{dir.file("moved.png")});
    EXPECT_EQ(recovery.stillAside,
              std::vector<std::string>{"failed to rename \"" + dir.file("blocked.png.x") + "\" into \"" +
                                       dir.file("blocked.png") + "\""});
    const std::map<std::string, std::string> expected = {
        {"moved.png", "moved"},        {"back.png", "back"},   {"never.png", "never"},
        {"taken.png.x", "the user's"}, {"blocked.png", "new"}, {"blocked.png.x", "old"}};
    EXPECT_EQ(snapshot(dir.path()), expected);
    // Kept while a file stays aside, so that the user hears of it again.
    EXPECT_EQ(state.journals().size(), 1u);

    fs::remove(dir.file("blocked.png"));
    EXPECT_EQ(recoverIsolatedFiles().restored, std::vector<std::string>{dir.file("blocked.png")});
    EXPECT_TRUE(state.journals().empty());
}

TEST_F(IsolationRecoveryTest, AJournalCutShortMovesNothingAndGoes) {
    // The cut path names notes, whose aside name is someone else's file.
    writeFile(dir.file("notes.x"), "unrelated");
    const std::string whole = formatJournal({{dir.file("notes.png"), false}});
    writeJournal(whole.substr(0, whole.find("notes") + 5) + "\n");
    const IsolationRecovery recovery = recoverIsolatedFiles();
    EXPECT_TRUE(recovery.restored.empty());
    EXPECT_EQ(snapshot(dir.path()), (std::map<std::string, std::string>{{"notes.x", "unrelated"}}));
    EXPECT_TRUE(state.journals().empty());
}

TEST_F(IsolationRecoveryTest, AJournalInUseIsLeftAlone) {
    writeFile(dir.file("p0000.png"), "0");
    writeFile(dir.file("notes.png"), "n");
    SequenceIsolator isolator({dir.file("p0000.png")}, isolationFileCalls(), nullptr);
    const IsolationRecovery recovery = recoverIsolatedFiles();
    EXPECT_TRUE(recovery.restored.empty());
    EXPECT_TRUE(fs::exists(dir.file("notes.png.x")));
    EXPECT_EQ(state.journals().size(), 1u);
    isolator.restore();
    EXPECT_TRUE(fs::exists(dir.file("notes.png")));
    EXPECT_TRUE(state.journals().empty());
}

}  // namespace
