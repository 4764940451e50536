#include "plugin/deferred_task_queue.h"

#include <utility>

DeferredTaskQueue::~DeferredTaskQueue() {
    clear();
}

void DeferredTaskQueue::push(std::unique_ptr<DeferredTask> task) {
    if (!task) return;
    std::lock_guard<std::mutex> guard(lock_);
    tasks_.push_back(std::move(task));
}

std::unique_ptr<DeferredTask> DeferredTaskQueue::pop() {
    std::lock_guard<std::mutex> guard(lock_);
    if (tasks_.empty()) return nullptr;
    std::unique_ptr<DeferredTask> task = std::move(tasks_.front());
    tasks_.pop_front();
    return task;
}

void DeferredTaskQueue::clear() {
    std::deque<std::unique_ptr<DeferredTask>> waiting;
    {
        std::lock_guard<std::mutex> guard(lock_);
        waiting.swap(tasks_);
    }
    while (!waiting.empty()) waiting.pop_front();
}

std::size_t DeferredTaskQueue::size() const {
    std::lock_guard<std::mutex> guard(lock_);
    return tasks_.size();
}
