#pragma once

#include <string>
#include <vector>

#include "project/isolation_file_calls.h"

// What a recovery did with the journals that interrupted isolations left behind.
struct IsolationRecovery {
    // Files brought back under their own names.
    std::vector<std::string> restored;
    // One rename error for each file that stays renamed aside; its journal is kept for the next try.
    std::vector<std::string> stillAside;
};

// Brings back every file that a journal in the journal directory lists as moved aside, when its
// own name is free again. Journals held by a live process are left alone; a journal is deleted once
// nothing it lists remains aside. Raises only when the journal directory has no place at all.
IsolationRecovery recoverIsolatedFiles(const IsolationFileCalls& calls = isolationFileCalls());

// The message that tells the user what a recovery did; empty when it did nothing.
std::string recoveryReportText(const IsolationRecovery& recovery);
