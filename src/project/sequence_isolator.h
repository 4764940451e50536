#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "project/isolation_file_calls.h"
#include "project/journal_file.h"

// Makes the host build an image sequence of exactly the listed files: for the length of one footage
// creation, every other file (or link; never a directory) of the first file's directory with the
// first file's extension is renamed to its name + ".x", and renamed back afterwards. A first file
// without extension is refused before anything is renamed. A rename never replaces anything, and a
// journal on disk lists the renames before the first one, so that a crash strands nothing for good
// (see recoverIsolatedFiles).
class SequenceIsolator {
public:
    // Receives the text naming every file that stays renamed aside when the isolation ends on an
    // error's way out, where nothing may be thrown.
    using StrandedReport = std::function<void(const std::string& text)>;

    // Reports stranded files to the user through the host.
    explicit SequenceIsolator(const std::vector<std::string>& files);
    SequenceIsolator(const std::vector<std::string>& files, const IsolationFileCalls& calls,
                     StrandedReport report);
    // Renames back what restore() has not, reporting what stays aside; never throws.
    ~SequenceIsolator();

    SequenceIsolator(const SequenceIsolator&) = delete;
    SequenceIsolator& operator=(const SequenceIsolator&) = delete;

    // Renames every file back, each one even when another fails. Raises std::runtime_error holding
    // one rename error a line, for every file that stays aside.
    void restore();

private:
    // The rename errors of the files that stay aside.
    std::vector<std::string> restoreAll() noexcept;
    void reportStranded(const std::vector<std::string>& errors) noexcept;

    const IsolationFileCalls& calls_;
    StrandedReport report_;
    std::vector<std::string> moved_;
    std::optional<JournalFile> journal_;
};

// One line per error, as the user is shown the files that stay renamed aside.
std::string strandedFilesText(const std::vector<std::string>& errors);
