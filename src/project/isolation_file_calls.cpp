#include "project/isolation_file_calls.h"

#include "support/file_system.h"

namespace {

const IsolationFileCalls& systemCalls() {
    static const IsolationFileCalls calls;
    return calls;
}

// Only the host's main thread imports, so no lock guards the choice.
const IsolationFileCalls* current = nullptr;

}  // namespace

std::vector<std::string> IsolationFileCalls::list(const std::string& pattern) const {
    return findFiles(pattern);
}

void IsolationFileCalls::rename(const std::string& from, const std::string& to) const {
    renameFile(from, to);
}

bool IsolationFileCalls::exists(const std::string& path) const {
    return fileExists(path);
}

bool IsolationFileCalls::isDirectory(const std::string& path) const {
    return isDirectoryEntry(path);
}

JournalFile IsolationFileCalls::writeJournal(const std::string& contents) const {
    return JournalFile::create(journalDirectory(), contents);
}

const IsolationFileCalls& isolationFileCalls() {
    return current != nullptr ? *current : systemCalls();
}

ScopedIsolationFileCalls::ScopedIsolationFileCalls(const IsolationFileCalls& calls) : previous_(current) {
    current = &calls;
}

ScopedIsolationFileCalls::~ScopedIsolationFileCalls() {
    current = previous_;
}
