#include "project/sequence_isolator.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "project/rename_journal.h"
#include "tests/common/error_text.h"
#include "tests/project/isolation_kit.h"

using namespace isolationkit;

namespace {

// Files whose contents are their own names.
void makeFiles(const testkit::TempDir& dir, const std::vector<std::string>& names) {
    for (const std::string& name : names) writeFile(dir.file(name), name);
}

std::vector<std::string> pathsIn(const testkit::TempDir& dir, const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    for (const std::string& name : names) paths.push_back(dir.file(name));
    return paths;
}

// The snapshot with the named entries moved to their aside names.
std::map<std::string, std::string> movedAside(std::map<std::string, std::string> entries,
                                              const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        entries[name + ".x"] = entries.at(name);
        entries.erase(name);
    }
    return entries;
}

struct Reports {
    std::vector<std::string> texts;
    SequenceIsolator::StrandedReport sink() {
        return [this](const std::string& text) { texts.push_back(text); };
    }
};

// Listed names match the directory's ignoring letter case.
using SequenceIsolatorTest = IsolationTest;

TEST_F(SequenceIsolatorTest, HidesTheUnlistedFilesOfTheExtensionOnlyWhileItLives) {
    std::vector<std::string> files, listed;
    for (int i = 0; i < 100; ++i) {
        files.push_back(frameName("p", i));
        listed.push_back(i % 2 ? files.back() : "P" + frameName("p", i).substr(1, 4) + ".PNG");
    }
    makeFiles(dir, files);
    makeFiles(dir, {frameName("p", 100), "notes.png", "notes.txt"});
    const auto before = snapshot(dir.path());

    Reports reports;
    {
        SequenceIsolator isolator(pathsIn(dir, listed), isolationFileCalls(), reports.sink());
        EXPECT_EQ(snapshot(dir.path()), movedAside(before, {"notes.png", frameName("p", 100)}));
        // The journal on disk names both before anything moved.
        const auto names = state.journals();
        ASSERT_EQ(names.size(), 1u);
        const auto entries = parseJournal(readFile(state.path() + "/" + *names.begin()));
        ASSERT_TRUE(entries.has_value());
        const std::vector<JournalEntry> expected = {{dir.file("notes.png"), false},
                                                    {dir.file(frameName("p", 100)), false}};
        EXPECT_EQ(*entries, expected);
        isolator.restore();
    }
    EXPECT_EQ(snapshot(dir.path()), before);
    EXPECT_TRUE(state.journals().empty());
    EXPECT_TRUE(reports.texts.empty());
}

// A directory named like a frame is never renamed, nor anything in it.
TEST_F(SequenceIsolatorTest, DirectoriesAreNeverHidden) {
    makeFiles(dir, {"p0000.png", "p0001.png", "p0002.png", "notes.txt"});
    fs::create_directory(dir.file("old.png"));
    writeFile(dir.file("old.png/inner.png"), "inner");
    const auto before = snapshot(dir.path());
    RenameCounter calls;
    {
        SequenceIsolator isolator(pathsIn(dir, {"p0000.png", "p0001.png"}), calls, nullptr);
        EXPECT_EQ(snapshot(dir.path()), movedAside(before, {"p0002.png"}));
        isolator.restore();
    }
    EXPECT_EQ(calls.renamed, (std::vector<std::string>{dir.file("p0002.png"), dir.file("p0002.png.x"),
                                                       dir.file("p0002.png.x"), dir.file("p0002.png")}));
    EXPECT_EQ(snapshot(dir.path()), before);
}

// Refused, naming the file, with the folder as it was: a first file without extension (its pattern
// would be every entry of the folder) before any rename; an aside name that is taken, file or
// directory, is never replaced, and a.png, moved before, comes back.
TEST_F(SequenceIsolatorTest, RefusalsLeaveTheFolderAsItWas) {
    const std::string aside =
        "failed to rename \"" + dir.file("notes.png") + "\" into \"" + dir.file("notes.png.x") + "\"";
    const auto noExtension = [&](const char* first) {
        return "the image sequence's first file \"" + dir.file(first) + "\" has no extension";
    };
    const std::vector<std::string> frame = {"frame", "frame2"}, frameDot = {"frame.", "frame2"},
                                   plate = {"p0000.png", "p0001.png"}, others = {".bashrc", "photo.jpg"},
                                   beside = {"a.png", "notes.png"};
    const struct {
        std::vector<std::string> listed, unlisted;
        const char* userFile;  // a directory of that name holding "mine" when `userDir`
        bool userDir;
        std::string error;
    } cases[] = {
        {frame, others, "Documents", true, noExtension("frame")},
        {frameDot, others, "Documents", true, noExtension("frame.")},
        {plate, beside, "notes.png.x", false, aside},
        {plate, beside, "notes.png.x", true, aside},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error + (c.userDir ? " (directory)" : ""));
        emptyDir();
        makeFiles(dir, c.listed);
        makeFiles(dir, c.unlisted);
        writeFile(dir.file(std::string(c.userFile) + (c.userDir ? "/mine" : "")), "mine");
        const auto before = snapshot(dir.path());
        RenameCounter calls;
        EXPECT_EQ(
            testkit::errorOf([&] { SequenceIsolator isolator(pathsIn(dir, c.listed), calls, nullptr); }),
            c.error);
        EXPECT_TRUE(c.error == aside || calls.renamed.empty());  // refused before any rename
        EXPECT_EQ(snapshot(dir.path()), before);
        EXPECT_TRUE(state.journals().empty());
    }
}

// Files that cannot come back are all named, by the error of an explicit restore or by the report
// of one on an error's way out (that error goes on); the rest are restored, and the journal stays
// for the next load of the module, which brings the stuck ones back.
TEST_F(SequenceIsolatorTest, FilesThatCannotComeBackAreAllNamedAndTheRestRestored) {
    for (const bool unwinding : {false, true}) {
        SCOPED_TRACE(unwinding ? "unwinding" : "restore");
        emptyDir();
        makeFiles(dir, {"p0000.png", "a.png", "b.png", "c.png"});
        const auto before = snapshot(dir.path());
        FaultyFileCalls calls;
        calls.stuck = {dir.file("a.png.x"), dir.file("c.png.x")};
        Reports reports;
        std::string error;
        try {
            SequenceIsolator isolator(pathsIn(dir, {"p0000.png"}), calls, reports.sink());
            if (unwinding) throw std::logic_error("allocating new footage");
            isolator.restore();
        } catch (const std::exception& e) {
            error = e.what();
        }
        const std::string failA =
            "failed to rename \"" + dir.file("a.png.x") + "\" into \"" + dir.file("a.png") + "\"";
        const std::string failC =
            "failed to rename \"" + dir.file("c.png.x") + "\" into \"" + dir.file("c.png") + "\"";
        EXPECT_EQ(error, unwinding ? "allocating new footage" : failA + "\n" + failC);
        EXPECT_EQ(reports.texts,
                  (unwinding ? std::vector<std::string>{failA + "\n" + failC} : std::vector<std::string>()));
        EXPECT_EQ(snapshot(dir.path()), movedAside(before, {"a.png", "c.png"}));
        EXPECT_EQ(state.journals().size(), 1u);
        expectRecovery({dir.file("a.png"), dir.file("c.png")}, before);
    }
}

}  // namespace
