#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace testkit {

// A program run with pipes on its standard input and output (standard error is inherited).
// Output is collected in the background, so a test can wait for a line with a bound.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args);
    // Closes the input and waits for the program; kills it when it does not end in time.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void write(const std::string& text);
    void closeInput();
    // The next line of output without its end, or nothing when none arrives in time or the
    // output ended.
    std::optional<std::string> readLine(std::chrono::milliseconds limit = std::chrono::seconds(30));
    // Everything still to come until the program closes its output.
    std::string readAll(std::chrono::milliseconds limit = std::chrono::seconds(60));
    int wait();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Runs a program to its end with `input` on its standard input; its exit code and output.
struct ProcessResult {
    int exitCode = -1;
    std::string output;
};
ProcessResult runProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& input = "");

}  // namespace testkit
