#include "tests/common/child_process.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "tests/common/child_process_platform.h"

namespace testkit {

struct ChildProcess::State {
    detail::Spawned spawned;
    std::mutex lock;
    std::condition_variable changed;
    std::string buffer;
    bool ended = false;
    bool waited = false;
    int exitCode = -1;
    std::thread reader;
};

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args)
    : state_(std::make_unique<State>()) {
    state_->spawned = detail::spawnProcess(program, args);
    State* state = state_.get();
    state->reader = std::thread([state] {
        char chunk[4096];
        for (;;) {
            const std::size_t got = detail::readPipe(state->spawned.output, chunk, sizeof chunk);
            std::lock_guard<std::mutex> guard(state->lock);
            if (got == 0) {
                state->ended = true;
                state->changed.notify_all();
                return;
            }
            state->buffer.append(chunk, got);
            state->changed.notify_all();
        }
    });
}

ChildProcess::~ChildProcess() {
    closeInput();
    int code = 0;
    if (!state_->waited && !detail::waitProcess(state_->spawned.process, 30000, code)) {
        detail::killProcess(state_->spawned.process);
        detail::waitProcess(state_->spawned.process, -1, code);
    }
    state_->reader.join();
    detail::closePipe(state_->spawned.output);
    detail::releaseProcess(state_->spawned.process);
}

void ChildProcess::write(const std::string& text) {
    if (!detail::writePipe(state_->spawned.input, text.data(), text.size()))
        throw std::runtime_error("cannot write to the child process");
}

void ChildProcess::closeInput() {
    if (state_->spawned.input != -1) {
        detail::closePipe(state_->spawned.input);
        state_->spawned.input = -1;
    }
}

std::optional<std::string> ChildProcess::readLine(std::chrono::milliseconds limit) {
    std::unique_lock<std::mutex> guard(state_->lock);
    std::size_t end = std::string::npos;
    state_->changed.wait_for(guard, limit, [&] {
        end = state_->buffer.find('\n');
        return end != std::string::npos || state_->ended;
    });
    if (end == std::string::npos) return std::nullopt;
    std::string line = state_->buffer.substr(0, end);
    state_->buffer.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::string ChildProcess::readAll(std::chrono::milliseconds limit) {
    std::unique_lock<std::mutex> guard(state_->lock);
    state_->changed.wait_for(guard, limit, [&] { return state_->ended; });
    std::string all;
    all.swap(state_->buffer);
    return all;
}

int ChildProcess::wait() {
    if (!state_->waited) {
        detail::waitProcess(state_->spawned.process, -1, state_->exitCode);
        state_->waited = true;
    }
    return state_->exitCode;
}

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& input) {
    ChildProcess child(program, args);
    if (!input.empty()) child.write(input);
    child.closeInput();
    ProcessResult result;
    result.output = child.readAll();
    result.exitCode = child.wait();
    // Windows text mode writes CRLF; tests compare lines.
    result.output.erase(std::remove(result.output.begin(), result.output.end(), '\r'), result.output.end());
    return result;
}

}  // namespace testkit
