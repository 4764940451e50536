#include "ui/terminal_dialogs.h"

#include <cctype>

TerminalProgress::TerminalProgress(std::ostream& out, std::string title, const std::string& text,
                                   std::chrono::milliseconds interval, Clock now)
    : out_(out), title_(std::move(title)), interval_(interval), now_(std::move(now)) {
    draw(text);
}

void TerminalProgress::show(const std::string& text) {
    pending_ = text;
    drawnPending_ = false;
    if (now_() - lastDrawn_ >= interval_) draw(text);
}

void TerminalProgress::close() {
    if (closed_) return;
    closed_ = true;
    if (!drawnPending_) draw(pending_);
    out_ << '\n';
    out_.flush();
}

void TerminalProgress::draw(const std::string& text) {
    // Carriage return and erase to the end of the line: the line is redrawn in place.
    out_ << '\r' << title_ << ' ' << text << "\x1b[K";
    out_.flush();
    lastDrawn_ = now_();
    drawnPending_ = true;
}

std::optional<std::string> askPathOnTerminal(std::istream& in, std::ostream& out, const std::string& prompt,
                                             const std::string& current,
                                             const std::function<bool(const std::string&)>& acceptable) {
    for (;;) {
        out << prompt;
        if (!current.empty()) out << " [" << current << ']';
        out << ' ';
        out.flush();
        std::string line;
        if (!std::getline(in, line)) {
            out << '\n';
            return std::nullopt;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string path = line.empty() ? current : line;
        if (!path.empty() && acceptable(path)) return path;
        out << "Not an existing file: " << path << '\n';
    }
}

namespace {

bool startsWithIgnoringCase(const std::string& text, const std::string& start) {
    if (start.empty() || start.size() > text.size()) return false;
    for (std::size_t i = 0; i < start.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(start[i])))
            return false;
    }
    return true;
}

}  // namespace

int askChoiceOnTerminal(std::istream& in, std::ostream& out, const std::string& question,
                        const std::vector<std::string>& answers) {
    const int last = static_cast<int>(answers.size()) - 1;
    for (;;) {
        out << question << '\n';
        for (std::size_t i = 0; i < answers.size(); ++i) out << "  " << i + 1 << ") " << answers[i] << '\n';
        out << "? ";
        out.flush();
        std::string line;
        if (!std::getline(in, line)) {
            out << '\n';
            return last;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        for (std::size_t i = 0; i < answers.size(); ++i) {
            if (line == std::to_string(i + 1) || startsWithIgnoringCase(answers[i], line))
                return static_cast<int>(i);
        }
    }
}

void showMessageOnTerminal(std::ostream& out, const std::string& caption, const std::string& text) {
    out << caption << ": " << text;
    if (text.empty() || text.back() != '\n') out << '\n';
    out.flush();
}
