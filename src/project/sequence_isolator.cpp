#include "project/sequence_isolator.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>
#include <stdexcept>
#include <utility>

#include "host/report.h"
#include "project/rename_journal.h"
#include "support/path_parts.h"

namespace {

std::string upperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

void reportToHost(const std::string& text) {
    try {
        ReportException(std::runtime_error(text));
    } catch (...) {
        // No host to tell: the terminal is the last place left.
        std::fprintf(stderr, "%s\n", text.c_str());
    }
}

// The entries of the first file's directory that the host must not see, as full paths in order.
std::set<std::string> filesToHide(const std::vector<std::string>& files, const IsolationFileCalls& calls) {
    std::set<std::string> hidden;
    if (files.empty()) return hidden;
    std::string drive, directory, extension;
    splitPath(files.front(), &drive, &directory, nullptr, &extension);
    // The pattern would be "*": every entry of what may be a folder of the user's own files.
    if (extension.empty() || extension == ".")
        throw std::runtime_error("the image sequence's first file \"" + files.front() +
                                 "\" has no extension");
    const std::string pattern = makePath(drive, directory, "*", extension);
    std::string prefix = makePath(drive, directory, "", "");
    if (!prefix.empty() && !isSeparator(prefix.back()) && prefix.back() != ':') prefix += '\\';

    std::set<std::string> listed;
    for (const std::string& file : files) listed.insert(upperCase(file));
    for (const std::string& name : calls.list(pattern)) {
        if (name == "." || name == "..") continue;
        const std::string path = prefix + name;
        // Only files are the host's business; a link is renamed as itself, never its target.
        if (listed.count(upperCase(path)) == 0 && !calls.isDirectory(path)) hidden.insert(path);
    }
    return hidden;
}

}  // namespace

std::string strandedFilesText(const std::vector<std::string>& errors) {
    std::string text;
    for (const std::string& error : errors) text += (text.empty() ? "" : "\n") + error;
    return text;
}

SequenceIsolator::SequenceIsolator(const std::vector<std::string>& files)
    : SequenceIsolator(files, isolationFileCalls(), reportToHost) {}

SequenceIsolator::SequenceIsolator(const std::vector<std::string>& files, const IsolationFileCalls& calls,
                                   StrandedReport report)
    : calls_(calls), report_(std::move(report)) {
    const std::set<std::string> hidden = filesToHide(files, calls_);
    if (hidden.empty()) return;

    std::vector<JournalEntry> entries;
    for (const std::string& path : hidden) entries.push_back({path, calls_.exists(path + kAsideSuffix)});
    journal_.emplace(calls_.writeJournal(formatJournal(entries)));

    moved_.reserve(hidden.size());
    try {
        for (const std::string& path : hidden) {
            calls_.rename(path, path + kAsideSuffix);
            moved_.push_back(path);
        }
    } catch (...) {
        // No destructor runs for an object whose constructor throws.
        reportStranded(restoreAll());
        throw;
    }
}

SequenceIsolator::~SequenceIsolator() {
    reportStranded(restoreAll());
}

void SequenceIsolator::restore() {
    const std::vector<std::string> errors = restoreAll();
    if (!errors.empty()) throw std::runtime_error(strandedFilesText(errors));
}

std::vector<std::string> SequenceIsolator::restoreAll() noexcept {
    std::vector<std::string> errors;
    try {
        // A file can be busy for a moment (a scanner, the host itself): the ones that fail get a
        // second try after all others are back.
        std::vector<std::string> failed;
        for (int pass = 0; pass < 2 && !moved_.empty(); ++pass) {
            failed.clear();
            errors.clear();
            for (const std::string& path : moved_) {
                try {
                    calls_.rename(path + kAsideSuffix, path);
                } catch (const std::exception& error) {
                    failed.push_back(path);
                    errors.push_back(error.what());
                } catch (...) {
                    failed.push_back(path);
                    errors.push_back("failed to rename \"" + path + kAsideSuffix + "\" into \"" + path +
                                     "\"");
                }
            }
            moved_.swap(failed);
        }
    } catch (...) {
        // Out of memory while collecting texts: what is still listed stays in the journal.
        if (errors.empty()) errors.push_back("files stay renamed aside");
    }
    if (journal_) {
        // A journal with files still aside stays on disk: the next load of the module retries them.
        if (errors.empty()) journal_->remove();
        journal_.reset();
    }
    moved_.clear();
    return errors;
}

void SequenceIsolator::reportStranded(const std::vector<std::string>& errors) noexcept {
    if (errors.empty() || !report_) return;
    try {
        report_(strandedFilesText(errors));
    } catch (...) {
    }
}
