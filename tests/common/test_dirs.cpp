#include "tests/common/test_dirs.h"

#include <atomic>
#include <filesystem>
#include <random>
#include <system_error>
#include <thread>

#include "tests/common/test_platform.h"

namespace fs = std::filesystem;

namespace testkit {

namespace {

std::string uniqueStem() {
    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    return std::to_string(processId()) + "-" + std::to_string(counter++) + "-" +
           std::to_string(rd() % 1000000);
}

}  // namespace

TempDir::TempDir() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("skelda-test-" + uniqueStem());
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            path_ = candidate.string();
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary directory");
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string TempDir::file(const std::string& name) const {
    return (fs::path(path_) / name).string();
}

PipeSandbox::PipeSandbox() : unique_(uniqueStem()) {
    hadPrevious_ = getEnv("SKELDA_PIPE_DIR", previous_);
    setEnv("SKELDA_PIPE_DIR", dir_.file("pipes"));
}

PipeSandbox::~PipeSandbox() {
    if (hadPrevious_)
        setEnv("SKELDA_PIPE_DIR", previous_);
    else
        unsetEnv("SKELDA_PIPE_DIR");
}

std::string PipeSandbox::pipeName(const std::string& stem) const {
    return "\\\\.\\pipe\\" + stem + "-" + unique_;
}

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace testkit
