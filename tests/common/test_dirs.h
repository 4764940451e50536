#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "tests/common/test_platform.h"

namespace testkit {

// A fresh directory under the system's temporary directory, removed with everything
// in it when the object goes. Each test gets its own, so tests run in parallel.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() joined with a relative name by the platform's separator.
    std::string file(const std::string& name) const;

private:
    std::string path_;
};

// Points SKELDA_PIPE_DIR at a private directory for the life of the object (POSIX pipes
// live there), and gives pipe names unique to this test so servers never collide.
class PipeSandbox {
public:
    PipeSandbox();
    ~PipeSandbox();
    PipeSandbox(const PipeSandbox&) = delete;
    PipeSandbox& operator=(const PipeSandbox&) = delete;

    // A pipe name "\\.\pipe\<stem>-<unique>" unique to this sandbox.
    std::string pipeName(const std::string& stem) const;

private:
    TempDir dir_;
    std::string unique_;
    std::string previous_;
    bool hadPrevious_ = false;
};

// Polls `condition` until it holds or `limit` passes; returns whether it held.
bool waitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds limit = std::chrono::seconds(10));

}  // namespace testkit
