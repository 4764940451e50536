#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

// The per-user directory that holds rename journals, ending with its separator: $SKELDA_STATE_DIR
// when set, else the platform's place for a user's program state. Not created here. Raises
// std::runtime_error when the platform names no such place.
std::string journalDirectory();

// One journal file, held open by this process while the object lives, so that a recovery run by
// another process (a second host) leaves a journal in use alone.
class JournalFile {
public:
    // Creates a new journal in `directory` (made when missing) holding `contents`, on disk before
    // it returns, so that a crash right after cannot lose it. Raises xtd::exception.
    static JournalFile create(const std::string& directory, const std::string& contents);
    // Opens the journal at `path` when no live process holds it; nothing when one does or it is gone.
    static std::optional<JournalFile> take(const std::string& path);
    // Removes the drafts that a process left when it died while writing a journal.
    static void discardAbandonedDrafts(const std::string& directory) noexcept;

    JournalFile(JournalFile&& other) noexcept;
    JournalFile& operator=(JournalFile&& other) = delete;
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;
    // Lets the file go; it stays on disk.
    ~JournalFile();

    const std::string& path() const { return path_; }
    // The whole text of the journal; empty when it cannot be read.
    std::string contents() const;
    // Deletes the file and lets it go; false when it could not be deleted.
    bool remove() noexcept;

    // Name pattern of journals in their directory.
    static constexpr const char kPattern[] = "*.journal";

private:
    JournalFile(std::string path, std::intptr_t handle) : path_(std::move(path)), handle_(handle) {}
    void close() noexcept;

    std::string path_;
    std::intptr_t handle_;
};
