#include "project/rename_journal.h"

#include <cstdio>
#include <sstream>

namespace {

constexpr const char kHeader[] = "Skelda rename journal 1";
constexpr const char kEnd[] = "end";
constexpr char kMoved = '-';
constexpr char kTaken = '=';

// One path a line: the few characters that would break a line are written as %XX.
std::string escape(const std::string& path) {
    std::string text;
    for (char c : path) {
        if (c == '%' || c == '\n' || c == '\r') {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
            text += code;
        } else {
            text += c;
        }
    }
    return text;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::string> unescape(const std::string& text) {
    std::string path;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            path += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        const int high = hexValue(text[i + 1]), low = hexValue(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        path += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return path;
}

}  // namespace

std::string formatJournal(const std::vector<JournalEntry>& entries) {
    std::string text = std::string(kHeader) + "\n";
    for (const JournalEntry& entry : entries) {
        text += entry.asideNameTaken ? kTaken : kMoved;
        text += ' ';
        text += escape(entry.path);
        text += '\n';
    }
    return text + kEnd + "\n";
}

std::optional<std::vector<JournalEntry>> parseJournal(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != kHeader) return std::nullopt;
    std::vector<JournalEntry> entries;
    while (std::getline(lines, line)) {
        // Only the last line may end the journal, and only with its line feed.
        if (line == kEnd)
            return lines.peek() == EOF && text.back() == '\n' ? std::optional(entries) : std::nullopt;
        if (line.size() < 2 || (line[0] != kMoved && line[0] != kTaken) || line[1] != ' ')
            return std::nullopt;
        std::optional<std::string> path = unescape(line.substr(2));
        if (!path) return std::nullopt;
        entries.push_back({*path, line[0] == kTaken});
    }
    return std::nullopt;
}
