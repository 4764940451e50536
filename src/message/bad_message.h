#pragma once

#include <exception>
#include <string>

namespace SK {

// A reply that is an Error message (its text) or of a type the requester did not expect ("BadMessage").
class BadMessage : public std::exception {
public:
    explicit BadMessage(std::string text);
    const char* what() const noexcept override;

private:
    std::string text_;
};

}  // namespace SK
