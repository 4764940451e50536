#pragma once

#include <string>
#include <vector>

#include "project/journal_file.h"

// The file-system calls of a sequence isolation, in one place so that a test can fail or interrupt
// each of them. The base class makes the system's calls.
class IsolationFileCalls {
public:
    virtual ~IsolationFileCalls() = default;

    // Names of the directory entries matching the pattern's last component (support/file_system.h).
    virtual std::vector<std::string> list(const std::string& pattern) const;
    // Renames without ever replacing; raises the rename error of support/file_system.h.
    virtual void rename(const std::string& from, const std::string& to) const;
    virtual bool exists(const std::string& path) const;
    // A directory itself (not a link to one).
    virtual bool isDirectory(const std::string& path) const;
    // Writes a new journal into the per-user journal directory, on disk when it returns.
    virtual JournalFile writeJournal(const std::string& contents) const;
};

// The calls isolations use: the system's, unless a test has put others in place.
const IsolationFileCalls& isolationFileCalls();

// Puts other calls in place for the life of the object (tests drive an import through it).
class ScopedIsolationFileCalls {
public:
    explicit ScopedIsolationFileCalls(const IsolationFileCalls& calls);
    ~ScopedIsolationFileCalls();
    ScopedIsolationFileCalls(const ScopedIsolationFileCalls&) = delete;
    ScopedIsolationFileCalls& operator=(const ScopedIsolationFileCalls&) = delete;

private:
    const IsolationFileCalls* previous_;
};
