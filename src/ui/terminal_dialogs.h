#pragma once

#include <chrono>
#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// The plug-in's dialogs on a terminal, for a host that shows no windows: progress redrawn in
// place on one line, a path asked on a line of its own, messages as lines. There is no Cancel.

class TerminalProgress {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // Draws the title and the first text at once; later texts at most once per `interval`.
    TerminalProgress(std::ostream& out, std::string title, const std::string& text,
                     std::chrono::milliseconds interval = std::chrono::milliseconds(100),
                     Clock now = std::chrono::steady_clock::now);
    // Draws the text when the last drawing is at least `interval` old.
    void show(const std::string& text);
    // Draws the last text given, if not yet drawn, and ends the line.
    void close();

private:
    void draw(const std::string& text);

    std::ostream& out_;
    std::string title_;
    std::chrono::milliseconds interval_;
    Clock now_;
    std::chrono::steady_clock::time_point lastDrawn_;
    std::string pending_;
    bool drawnPending_ = true;
    bool closed_ = false;
};

// Asks for a path: the prompt with the current path in brackets, then one line. An empty line
// takes the current path. A path `acceptable` refuses is named and asked again. The end of the
// input cancels (no answer).
std::optional<std::string> askPathOnTerminal(std::istream& in, std::ostream& out, const std::string& prompt,
                                             const std::string& current,
                                             const std::function<bool(const std::string&)>& acceptable);

// Asks the question with the answers numbered from 1 and reads one line: a number or the start
// of an answer (letter case ignored). Anything else is asked again; the end of the input gives
// the last answer (the cancel). The index of the answer chosen.
int askChoiceOnTerminal(std::istream& in, std::ostream& out, const std::string& question,
                        const std::vector<std::string>& answers);

// "CAPTION: TEXT" on a line (a text's own final line break is not doubled).
void showMessageOnTerminal(std::ostream& out, const std::string& caption, const std::string& text);
