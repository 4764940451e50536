#pragma once

// A skelda-host driven line by line, and what tests read from its output.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "tests/common/child_process.h"
#include "tests/common/program_path.h"
#include "tests/common/test_dirs.h"
#include "tests/project/sample_project.h"

namespace hostsession {

// A skelda-host driven line by line.
class Host {
public:
    Host() : process_(testkit::programPath("skelda-host"), {}) {}
    ~Host() {
        process_.write("quit\n");
        process_.wait();
    }
    // The one line a word prints.
    std::string say(const std::string& line) {
        process_.write(line + "\n");
        return process_.readLine().value_or("(nothing)");
    }
    // Everything the lines print.
    std::string ask(const std::string& lines) {
        process_.write(lines + "\necho end\n");
        std::string out;
        for (auto line = process_.readLine(); line && *line != "end"; line = process_.readLine())
            out += *line + "\n";
        return out;
    }
    void load() {
        EXPECT_EQ(say("load \"" + testkit::besideTests("Skelda.aex") + "\""),
                  "loaded \"Skelda\" entry=GPMain_Skelda result=0");
    }

private:
    testkit::ChildProcess process_;
};

// skelda-app started with "serve": true once it says it serves.
inline ::testing::AssertionResult serving(testkit::ChildProcess& app) {
    const auto ready = app.readLine();
    if (ready && ready->rfind("serving ", 0) == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << ready.value_or("(nothing)");
}

// The exit code of a program told to quit.
inline int quit(testkit::ChildProcess& program) {
    program.write("quit\n");
    return program.wait();
}

inline std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// The number after "NAME=" in a line.
inline double field(const std::string& line, const std::string& name) {
    const std::size_t at = line.find(" " + name + "=");
    return at == std::string::npos ? NAN : std::stod(line.substr(at + name.size() + 2));
}

inline std::vector<std::string> linesStarting(const std::string& text, const std::string& start) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(start, 0) == 0) lines.push_back(line);
    return lines;
}

}  // namespace hostsession
