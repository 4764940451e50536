#pragma once

// Shared by the isolation tests: directory snapshots, a private journal directory, and file calls
// that fail on demand.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "project/isolation_file_calls.h"
#include "project/isolation_recovery.h"
#include "support/xtd_exception.h"
#include "tests/common/test_dirs.h"
#include "tests/common/test_files.h"
#include "tests/common/test_platform.h"

namespace isolationkit {

namespace fs = std::filesystem;

using testkit::readFile;
using testkit::writeFile;

// "p0007.png" for stem "p" and frame 7.
inline std::string frameName(const char* stem, int i, const char* extension = ".png") {
    char name[32];
    std::snprintf(name, sizeof name, "%s%04d%s", stem, i, extension);
    return name;
}

// Every entry under `root` by relative name: a file's contents, or "<dir>" for a directory.
inline std::map<std::string, std::string> snapshot(const std::string& root) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(entry.path(), root).generic_string();
        entries[name] = entry.is_directory() ? "<dir>" : readFile(entry.path().string());
    }
    return entries;
}

// Names of the journals in a directory.
inline std::set<std::string> journals(const std::string& directory) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(directory, error))
        if (entry.path().extension() == ".journal") names.insert(entry.path().filename().string());
    return names;
}

// Sets (or, with no value, unsets) an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string* value)
        : name_(name), hadPrevious_(testkit::getEnv(name, previous_)) {
        if (value != nullptr)
            testkit::setEnv(name, *value);
        else
            testkit::unsetEnv(name);
    }
    ~ScopedEnv() {
        if (hadPrevious_)
            testkit::setEnv(name_, previous_);
        else
            testkit::unsetEnv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::string previous_;
    bool hadPrevious_;
};

// Journals go to a directory of this test's own for the life of the object.
class ScopedStateDir {
public:
    ScopedStateDir() : env_("SKELDA_STATE_DIR", &dir_.path()) {}
    const std::string& path() const { return dir_.path(); }
    std::set<std::string> journals() const { return isolationkit::journals(dir_.path()); }

private:
    testkit::TempDir dir_;
    ScopedEnv env_;
};

// The system's calls, except that the k-th rename or journal write fails, and that renames back of
// the files named in `stuck` always fail.
class FaultyFileCalls : public IsolationFileCalls {
public:
    explicit FaultyFileCalls(int failAt = 0) : failAt_(failAt) {}

    void rename(const std::string& from, const std::string& to) const override {
        if (++count_ == failAt_ || stuck.count(from) != 0) {
            failedStep = "failed to rename \"" + from + "\" into \"" + to + "\"";
            throw std::runtime_error(failedStep);
        }
        IsolationFileCalls::rename(from, to);
    }
    JournalFile writeJournal(const std::string& contents) const override {
        if (++count_ == failAt_) {
            failedStep = "as a result of writing the rename journal";
            throw xtd::exception("System error: no space left\n" + failedStep);
        }
        return IsolationFileCalls::writeJournal(contents);
    }

    int count() const { return count_; }

    std::set<std::string> stuck;
    mutable std::string failedStep;

private:
    int failAt_;
    mutable int count_ = 0;
};

// The system's calls, recording every rename as its source and target in turn.
class RenameCounter : public IsolationFileCalls {
public:
    void rename(const std::string& from, const std::string& to) const override {
        renamed.push_back(from);
        renamed.push_back(to);
        IsolationFileCalls::rename(from, to);
    }
    mutable std::vector<std::string> renamed;
};

// A journal directory and a working directory of the test's own.
class IsolationTest : public ::testing::Test {
protected:
    // For a test's next case: the working directory empty again.
    void emptyDir() {
        fs::remove_all(dir.path());
        fs::create_directories(dir.path());
    }

    // The next load's recovery brings back exactly `aside`: the folder is `before` again, no journal left.
    void expectRecovery(const std::vector<std::string>& aside,
                        const std::map<std::string, std::string>& before) {
        const IsolationRecovery recovery = recoverIsolatedFiles();
        EXPECT_EQ(recovery.restored, aside);
        EXPECT_TRUE(recovery.stillAside.empty());
        EXPECT_EQ(snapshot(dir.path()), before);
        EXPECT_TRUE(state.journals().empty());
    }

    ScopedStateDir state;
    testkit::TempDir dir;
};

}  // namespace isolationkit
