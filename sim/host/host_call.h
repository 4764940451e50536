#pragma once

#include "sim/host/sim_host.h"

namespace simhost {

// True while the calling thread runs a suite operation: what it allocates then is the host's
// own, which a program measuring a module's memory tells apart so.
bool insideHostCall() noexcept;

namespace detail {

// Marks the calling thread as inside a suite operation for its lifetime.
class HostCallMark {
public:
    HostCallMark() noexcept;
    ~HostCallMark();
    HostCallMark(const HostCallMark&) = delete;
    HostCallMark& operator=(const HostCallMark&) = delete;
};

}  // namespace detail

// The frame of every suite operation: finds the current host, takes its lock, logs the call and
// applies an injected fault, then runs the body. No exception leaves into the module.
template <class Body>
A_Err hostCall(const char* operation, Body&& body) noexcept {
    const detail::HostCallMark mark;
    SimHost* host = SimHost::current();
    if (host == nullptr) return A_Err_GENERIC;
    try {
        auto guard = host->lock();
        if (const A_Err injected = host->faults().onCall(operation)) return injected;
        return body(*host);
    } catch (...) {
        return A_Err_GENERIC;
    }
}

}  // namespace simhost
