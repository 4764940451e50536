#pragma once

#include "ae_types.h"

namespace detail {

// Reports the exception being handled and gives the callback's result: the host's error code
// for AE_Exception, 1 for anything else. Call only from inside a catch block.
A_Err reportCurrentException() noexcept;

}  // namespace detail

// Runs the body of a callback from the host so that no exception ever reaches the host.
template <class Body>
A_Err HookGuard(Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return detail::reportCurrentException();
    }
}
