#pragma once

#include <cstddef>

// Work handed from the server thread to the host's main thread. A task owns the data it
// carries and frees it in its destructor.
class DeferredTask {
public:
    virtual ~DeferredTask() = default;
    virtual void execute() = 0;
    // About how much memory the task holds while it waits; the same for its whole life.
    virtual std::size_t footprint() const { return sizeof(*this); }
};
