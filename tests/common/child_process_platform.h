#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The few process calls ChildProcess needs, per platform.
namespace testkit::detail {

struct Spawned {
    std::intptr_t process = -1;
    std::intptr_t input = -1;   // write end of the child's standard input
    std::intptr_t output = -1;  // read end of the child's standard output
};

Spawned spawnProcess(const std::string& program, const std::vector<std::string>& args);
bool writePipe(std::intptr_t pipe, const char* data, std::size_t size);
// Bytes read, 0 at the end of the output.
std::size_t readPipe(std::intptr_t pipe, char* buffer, std::size_t size);
void closePipe(std::intptr_t pipe);
// Waits up to `milliseconds` (negative: without limit); true when the process ended.
bool waitProcess(std::intptr_t process, int milliseconds, int& exitCode);
void killProcess(std::intptr_t process);
void releaseProcess(std::intptr_t process);

}  // namespace testkit::detail
