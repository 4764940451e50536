#pragma once

// Work handed from the server thread to the host's main thread. A task owns the data it
// carries and frees it in its destructor.
class DeferredTask {
public:
    virtual ~DeferredTask() = default;
    virtual void execute() = 0;
};
