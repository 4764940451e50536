#include "sim/host/host_windows.h"

#include <algorithm>

namespace simhost {

HostWindows::~HostWindows() {
    for (std::thread& user : users_)
        if (user.joinable()) user.join();
}

void HostWindows::addUser(std::thread user) {
    if (user.joinable()) users_.push_back(std::move(user));
}

std::optional<DialogAnswer> HostWindows::takePathAnswer() {
    auto found = std::find_if(answers_.begin(), answers_.end(), [](const DialogAnswer& a) {
        return a.kind == DialogAnswer::Kind::Path || a.kind == DialogAnswer::Kind::Cancel;
    });
    if (found == answers_.end()) return std::nullopt;
    const DialogAnswer answer = *found;
    answers_.erase(found);
    return answer;
}

A_long HostWindows::takeCancelStep() {
    auto found = std::find_if(answers_.begin(), answers_.end(),
                              [](const DialogAnswer& a) { return a.kind == DialogAnswer::Kind::CancelAt; });
    if (found == answers_.end()) return -1;
    const A_long step = found->step;
    answers_.erase(found);
    return step;
}

std::optional<std::string> HostWindows::takeButton() {
    auto found = std::find_if(answers_.begin(), answers_.end(),
                              [](const DialogAnswer& a) { return a.kind == DialogAnswer::Kind::Button; });
    if (found == answers_.end()) return std::nullopt;
    const std::string label = found->path;
    answers_.erase(found);
    return label;
}

int HostWindows::openProgress(const std::string& title, A_long total) {
    const int id = ++lastProgress_;
    ProgressRecord& record = progress_[id];
    record.title = title;
    record.total = total;
    record.cancelAt = takeCancelStep();
    shown_.push_back("progress open id=" + std::to_string(id) + " title=" + quotedText(title) +
                     " total=" + std::to_string(total));
    return id;
}

ProgressRecord* HostWindows::progress(int id) {
    auto found = progress_.find(id);
    return found == progress_.end() ? nullptr : &found->second;
}

int HostWindows::openProgressWindows() const {
    return static_cast<int>(std::count_if(progress_.begin(), progress_.end(),
                                          [](const auto& entry) { return entry.second.open; }));
}

void HostWindows::setMainWindowEnabled(bool enabled) {
    mainWindowEnabled_ = enabled;
    shown_.push_back(enabled ? "main-window enabled" : "main-window disabled");
}

void HostWindows::clear() {
    answers_.clear();
    progress_.clear();
    mainWindowEnabled_ = true;
    shown_.clear();
}

std::string quotedText(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\n') {
            quoted += "\\n";
            continue;
        }
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace simhost
