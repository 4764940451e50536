#pragma once

// A benchmark's pipes live in a directory of their own, removed at the end.

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace benchkit {

struct PipeDirectory {
    explicit PipeDirectory(const std::string& program) {
        path = (std::filesystem::temp_directory_path() /
                ("skelda-" + program + "-" + std::to_string(std::random_device()())))
                   .string();
        std::filesystem::create_directories(path);
        setenv("SKELDA_PIPE_DIR", (path + "/pipes").c_str(), 1);
    }
    ~PipeDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    PipeDirectory(const PipeDirectory&) = delete;
    PipeDirectory& operator=(const PipeDirectory&) = delete;
    std::string path;
};

}  // namespace benchkit
