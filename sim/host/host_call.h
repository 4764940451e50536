#pragma once

#include "host/sim_host.h"

namespace simhost {

// The frame of every suite operation: finds the current host, takes its lock, logs the call and
// applies an injected fault, then runs the body. No exception leaves into the module.
template <class Body>
A_Err hostCall(const char* operation, Body&& body) noexcept {
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
