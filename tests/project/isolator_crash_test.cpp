// A host that dies in the middle of an isolation: the next load of the module brings every file back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "project/sequence_isolator.h"
#include "tests/common/child_process.h"
#include "tests/common/program_path.h"
#include "tests/project/isolation_kit.h"

using namespace isolationkit;

namespace {

constexpr const char kChildTask[] = "SKELDA_ISOLATOR_CHILD";

// Writes the journal and renames as usual, and ends the process at once, as a crash would (no
// destructor runs), after the step the parent chose.
class DyingFileCalls : public IsolationFileCalls {
public:
    explicit DyingFileCalls(int dieAfter) : dieAfter_(dieAfter) {}

    void rename(const std::string& from, const std::string& to) const override {
        IsolationFileCalls::rename(from, to);
        stepDone();
    }
    JournalFile writeJournal(const std::string& contents) const override {
        JournalFile journal = IsolationFileCalls::writeJournal(contents);
        stepDone();
        return journal;
    }

private:
    void stepDone() const {
        if (++steps_ == dieAfter_) std::_Exit(3);
    }

    int dieAfter_;
    mutable int steps_ = 0;
};

// In the child: "STEP|FILE|FILE...", one isolation of the files, ended after STEP.
bool runChildTaskIfAsked() {
    std::string task;
    if (!testkit::getEnv(kChildTask, task) || task.empty()) return false;
    std::vector<std::string> fields;
    std::istringstream in(task);
    for (std::string field; std::getline(in, field, '|');) fields.push_back(field);
    const DyingFileCalls calls(std::atoi(fields.at(0).c_str()));
    try {
        SequenceIsolator isolator(std::vector<std::string>(fields.begin() + 1, fields.end()), calls, nullptr);
        isolator.restore();
    } catch (...) {
        std::_Exit(2);
    }
    std::_Exit(0);
}

// Runs before the test runner, so that the child never reaches it.
const bool kIsChild = runChildTaskIfAsked();

using IsolatorCrashTest = IsolationTest;

TEST_F(IsolatorCrashTest, FilesAsideWhenTheProcessDiesComeBackAtTheNextLoad) {
    ASSERT_FALSE(kIsChild);
    const std::vector<std::string> hidden = {"a.png", "notes.png", "p0002.png"};
    // Journal written, three renames aside, three back.
    const int steps = 1 + 2 * static_cast<int>(hidden.size());
    for (int dieAfter = 1; dieAfter <= steps; ++dieAfter) {
        SCOPED_TRACE("died after step " + std::to_string(dieAfter));
        emptyDir();
        for (const char* name : {"p0000.png", "p0001.png", "a.png", "notes.png", "p0002.png", "notes.txt"})
            writeFile(dir.file(name), name);
        const auto before = snapshot(dir.path());
        testkit::setEnv(kChildTask,
                        std::to_string(dieAfter) + "|" + dir.file("p0000.png") + "|" + dir.file("p0001.png"));
        const int exitCode =
            testkit::runProcess(testkit::programPath("test_project"), {"--gtest_filter=-*"}).exitCode;
        testkit::unsetEnv(kChildTask);
        ASSERT_EQ(exitCode, 3);

        std::vector<std::string> aside;
        for (const std::string& name : hidden)
            if (fs::exists(dir.file(name + ".x"))) aside.push_back(dir.file(name));
        const std::size_t movedSoFar = static_cast<std::size_t>(dieAfter - 1);
        EXPECT_EQ(aside.size(), movedSoFar <= hidden.size() ? movedSoFar : 2 * hidden.size() - movedSoFar);

        expectRecovery(aside, before);
    }
}

}  // namespace
