#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>

#include "plugin/deferred_task.h"

// Tasks pushed on the server thread and popped, one per idle call, on the main thread. The lock
// is held only inside push, pop and clear, never while a task runs or is destroyed.
class DeferredTaskQueue {
public:
    DeferredTaskQueue() = default;
    // Destroys every task still waiting, front to back, without running it.
    ~DeferredTaskQueue();

    DeferredTaskQueue(const DeferredTaskQueue&) = delete;
    DeferredTaskQueue& operator=(const DeferredTaskQueue&) = delete;

    // Appends at the back; a null task is ignored.
    void push(std::unique_ptr<DeferredTask> task);
    // The oldest task, or null when none waits.
    std::unique_ptr<DeferredTask> pop();
    // Destroys every waiting task unrun, front to back.
    void clear();
    std::size_t size() const;

private:
    std::deque<std::unique_ptr<DeferredTask>> tasks_;
    mutable std::mutex lock_;
};
