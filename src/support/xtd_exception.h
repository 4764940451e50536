#pragma once

#include <exception>
#include <string>

namespace xtd {

// The exception raised for every failed system call (pipes, processes, windows, files).
class exception : public std::exception {
public:
    explicit exception(std::string message);
    const char* what() const noexcept override;

private:
    std::string message_;
};

}  // namespace xtd
