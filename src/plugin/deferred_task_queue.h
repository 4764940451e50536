#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>

#include "plugin/deferred_task.h"

// Tasks pushed on the server thread and popped, one per idle call, on the main thread. The lock
// is held only inside push, pop and clear, never while a task runs or is destroyed. While the
// host does not reach an idle call (a modal dialog, a long render) the queue is bounded, so
// that pushed results cannot grow the host without limit.
class DeferredTaskQueue {
public:
    static constexpr std::size_t kMaxWaitingTasks = 8;
    static constexpr std::size_t kMaxWaitingBytes = std::size_t{256} << 20;

    DeferredTaskQueue() = default;
    // Destroys every task still waiting, front to back, without running it.
    ~DeferredTaskQueue();

    DeferredTaskQueue(const DeferredTaskQueue&) = delete;
    DeferredTaskQueue& operator=(const DeferredTaskQueue&) = delete;

    // Appends at the back and returns true; a null task is ignored. When kMaxWaitingTasks wait
    // already, or their footprints and this one's would pass kMaxWaitingBytes, the task is
    // destroyed unqueued, false returned and `waiting` (when given) set to the number waiting.
    bool push(std::unique_ptr<DeferredTask> task, std::size_t* waiting = nullptr);
    // The oldest task, or null when none waits.
    std::unique_ptr<DeferredTask> pop();
    // Destroys every waiting task unrun, front to back.
    void clear();
    std::size_t size() const;

private:
    std::deque<std::unique_ptr<DeferredTask>> tasks_;
    std::size_t bytes_ = 0;
    mutable std::mutex lock_;
};
