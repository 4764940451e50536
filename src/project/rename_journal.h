#pragma once

#include <optional>
#include <string>
#include <vector>

// What a sequence isolation is about to do, written down before the first rename so that the
// files can be brought back after a crash.
struct JournalEntry {
    // The file's name before and after the isolation; it is moved aside to path + ".x".
    std::string path;
    // Something already had the name path + ".x" when the journal was written: this file was never
    // moved aside, and what has that name belongs to the user.
    bool asideNameTaken = false;

    bool operator==(const JournalEntry& other) const {
        return path == other.path && asideNameTaken == other.asideNameTaken;
    }
};

// The suffix a file carries while it is moved aside.
constexpr const char kAsideSuffix[] = ".x";

std::string formatJournal(const std::vector<JournalEntry>& entries);

// The entries of a journal; nothing for a text that is not a whole journal (one cut short by a
// crash while it was written, before any file was moved).
std::optional<std::vector<JournalEntry>> parseJournal(const std::string& text);
