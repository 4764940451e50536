#pragma once

#include <exception>

#include "ae_types.h"

// A host call that failed: the host's error code and what the plug-in was doing, as a gerund
// phrase ("getting active layer"). The action is always a string literal of the program.
class AE_Exception : public std::exception {
public:
    AE_Exception(A_Err code, const char* action) noexcept : code_(code), action_(action) {}

    const char* what() const noexcept override { return action_; }
    A_Err code() const noexcept { return code_; }
    const char* action() const noexcept { return action_; }

private:
    A_Err code_;
    const char* action_;
};
