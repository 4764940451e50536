// A host that dies in the middle of an isolation: the next load of the module brings every file back.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "crash_child.h"
#include "isolation_kit.h"
#include "project/isolation_recovery.h"
#include "project/sequence_isolator.h"

using namespace isolationkit;

namespace {

constexpr const char kChildTask[] = "SKELDA_ISOLATOR_CHILD";

// Writes the journal and renames as usual, then, after the step the parent chose, says so and
// waits to be killed.
class StoppingFileCalls : public IsolationFileCalls {
public:
    StoppingFileCalls(int stopAfter, std::string readyFile) : stopAfter_(stopAfter), readyFile_(readyFile) {}

    void rename(const std::string& from, const std::string& to) const override {
        IsolationFileCalls::rename(from, to);
        stepDone();
    }
    JournalFile writeJournal(const std::string& contents) const override {
        JournalFile journal = IsolationFileCalls::writeJournal(contents);
        stepDone();
        return journal;
    }

    void signalReady() const { writeFile(readyFile_, "ready"); }

private:
    void stepDone() const {
        if (++steps_ != stopAfter_) return;
        signalReady();
        // The parent kills this process; should it never, the child still ends.
        for (int i = 0; i < 1200; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        std::_Exit(3);
    }

    int stopAfter_;
    std::string readyFile_;
    mutable int steps_ = 0;
};

// In the child: "STEP|READY FILE|FILE|FILE...", one isolation of the files, stopped after STEP.
bool runChildTaskIfAsked() {
    std::string task;
    if (!testkit::getEnv(kChildTask, task) || task.empty()) return false;
    std::vector<std::string> fields;
    std::istringstream in(task);
    for (std::string field; std::getline(in, field, '|');) fields.push_back(field);
    const StoppingFileCalls calls(std::atoi(fields.at(0).c_str()), fields.at(1));
    try {
        SequenceIsolator isolator(std::vector<std::string>(fields.begin() + 2, fields.end()), calls, nullptr);
        isolator.restore();
    } catch (...) {
        std::_Exit(2);
    }
    calls.signalReady();
    std::_Exit(0);
}

// Runs before the test runner, so that the child never reaches it.
const bool kIsChild = runChildTaskIfAsked();

TEST(IsolatorCrashTest, FilesAsideWhenTheProcessDiesComeBackAtTheNextLoad) {
    ASSERT_FALSE(kIsChild);
    ScopedStateDir state;
    testkit::TempDir work;
    const std::vector<std::string> hidden = {"a.png", "notes.png", "p0002.png"};
    // Journal written, three renames aside, three back.
    const int steps = 1 + 2 * static_cast<int>(hidden.size());
    for (int stopAfter = 1; stopAfter <= steps; ++stopAfter) {
        SCOPED_TRACE("killed after step " + std::to_string(stopAfter));
        testkit::TempDir dir;
        for (const char* name : {"p0000.png", "p0001.png", "a.png", "notes.png", "p0002.png", "notes.txt"})
            writeFile(dir.file(name), name);
        const auto before = snapshot(dir.path());
        const std::string ready = work.file("ready-" + std::to_string(stopAfter));
        testkit::setEnv(kChildTask, std::to_string(stopAfter) + "|" + ready + "|" + dir.file("p0000.png") +
                                        "|" + dir.file("p0001.png"));
        CrashChild child;
        testkit::unsetEnv(kChildTask);
        ASSERT_TRUE(testkit::waitFor([&] { return fs::exists(ready); }, std::chrono::seconds(60)));
        child.kill();

        std::vector<std::string> aside;
        for (const std::string& name : hidden)
            if (fs::exists(dir.file(name + ".x"))) aside.push_back(dir.file(name));
        const std::size_t movedSoFar = static_cast<std::size_t>(stopAfter - 1);
        EXPECT_EQ(aside.size(), movedSoFar <= hidden.size() ? movedSoFar : 2 * hidden.size() - movedSoFar);

        const IsolationRecovery recovery = recoverIsolatedFiles();
        EXPECT_EQ(recovery.restored, aside);
        EXPECT_TRUE(recovery.stillAside.empty());
        EXPECT_EQ(snapshot(dir.path()), before);
        EXPECT_TRUE(state.journals().empty());
    }
}

}  // namespace
