#include "plugin/deferred_task_queue.h"

#include <utility>

DeferredTaskQueue::~DeferredTaskQueue() {
    clear();
}

bool DeferredTaskQueue::push(std::unique_ptr<DeferredTask> task, std::size_t* waiting) {
    if (!task) return true;
    const std::size_t bytes = task->footprint();
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (tasks_.size() < kMaxWaitingTasks && bytes <= kMaxWaitingBytes - bytes_) {
            tasks_.push_back(std::move(task));
            bytes_ += bytes;
            return true;
        }
        if (waiting) *waiting = tasks_.size();
    }
    // The refused task is destroyed here, outside the lock.
    return false;
}

std::unique_ptr<DeferredTask> DeferredTaskQueue::pop() {
    std::lock_guard<std::mutex> guard(lock_);
    if (tasks_.empty()) return nullptr;
    std::unique_ptr<DeferredTask> task = std::move(tasks_.front());
    tasks_.pop_front();
    bytes_ -= task->footprint();
    return task;
}

void DeferredTaskQueue::clear() {
    std::deque<std::unique_ptr<DeferredTask>> waiting;
    {
        std::lock_guard<std::mutex> guard(lock_);
        waiting.swap(tasks_);
        bytes_ = 0;
    }
    while (!waiting.empty()) waiting.pop_front();
}

std::size_t DeferredTaskQueue::size() const {
    std::lock_guard<std::mutex> guard(lock_);
    return tasks_.size();
}
