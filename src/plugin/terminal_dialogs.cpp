#include "plugin/terminal_dialogs.h"

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

void showMessageOnTerminal(std::ostream& out, const std::string& caption, const std::string& text) {
    out << caption << ": " << text;
    if (text.empty() || text.back() != '\n') out << '\n';
    out.flush();
}
