#pragma once

#include <exception>
#include <string>

namespace testkit {

// The text of the standard exception `f` raises, or "no error" when it returns.
template <class F>
std::string errorOf(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "no error";
}

}  // namespace testkit
