#include "project/isolation_recovery.h"

#include <exception>

#include "project/journal_file.h"
#include "project/rename_journal.h"

namespace {

// Brings back the files of one journal; true when none of them stays aside.
bool recoverJournal(const std::vector<JournalEntry>& entries, const IsolationFileCalls& calls,
                    IsolationRecovery& recovery) {
    bool settled = true;
    for (const JournalEntry& entry : entries) {
        // What had the aside name before the isolation began is the user's own file.
        if (entry.asideNameTaken) continue;
        const std::string aside = entry.path + kAsideSuffix;
        // Never moved, or already back.
        if (!calls.exists(aside)) continue;
        try {
            // Never replaces: a new file under the old name keeps this one aside, and the user is told.
            calls.rename(aside, entry.path);
            recovery.restored.push_back(entry.path);
        } catch (const std::exception& error) {
            recovery.stillAside.push_back(error.what());
            settled = false;
        }
    }
    return settled;
}

}  // namespace

IsolationRecovery recoverIsolatedFiles(const IsolationFileCalls& calls) {
    IsolationRecovery recovery;
    const std::string directory = journalDirectory();
    JournalFile::discardAbandonedDrafts(directory);
    for (const std::string& name : calls.list(directory + JournalFile::kPattern)) {
        std::optional<JournalFile> journal = JournalFile::take(directory + name);
        if (!journal) continue;
        const std::optional<std::vector<JournalEntry>> entries = parseJournal(journal->contents());
        // A journal cut short was being written when its process died: no file had moved yet.
        if (!entries || recoverJournal(*entries, calls, recovery)) journal->remove();
    }
    return recovery;
}

std::string recoveryReportText(const IsolationRecovery& recovery) {
    std::string text;
    if (!recovery.restored.empty()) {
        text =
            "An interrupted import of a Skelda project had renamed files aside. These are back under their "
            "names:";
        for (const std::string& path : recovery.restored) text += "\n" + path;
    }
    if (!recovery.stillAside.empty()) {
        if (!text.empty()) text += "\n";
        text += "An interrupted import of a Skelda project left files renamed aside:";
        for (const std::string& error : recovery.stillAside) text += "\n" + error;
    }
    return text;
}
