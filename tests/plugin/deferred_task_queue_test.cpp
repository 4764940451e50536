#include "plugin/deferred_task_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// Records into a shared log when it runs and when it is destroyed.
class LoggingTask : public DeferredTask {
public:
    LoggingTask(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
    ~LoggingTask() override { log_.push_back("destroy " + name_); }
    void execute() override { log_.push_back("run " + name_); }

private:
    std::vector<std::string>& log_;
    std::string name_;
};

TEST(DeferredTaskQueue, PopOnEmptyGivesNothingAndStaysEmpty) {
    DeferredTaskQueue queue;
    EXPECT_EQ(queue.pop(), nullptr);
    EXPECT_EQ(queue.size(), 0u);
    queue.push(nullptr);
    EXPECT_EQ(queue.size(), 0u);
}

TEST(DeferredTaskQueue, PopsInPushOrder) {
    std::vector<std::string> log;
    DeferredTaskQueue queue;
    queue.push(std::make_unique<LoggingTask>(log, "a"));
    queue.push(std::make_unique<LoggingTask>(log, "b"));
    for (int i = 0; i < 2; ++i) {
        auto task = queue.pop();
        ASSERT_NE(task, nullptr);
        task->execute();
    }
    EXPECT_EQ(queue.pop(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"run a", "destroy a", "run b", "destroy b"}));
}

TEST(DeferredTaskQueue, DestroysWaitingTasksUnrunFrontToBack) {
    std::vector<std::string> log;
    {
        DeferredTaskQueue queue;
        queue.push(std::make_unique<LoggingTask>(log, "a"));
        queue.push(std::make_unique<LoggingTask>(log, "b"));
    }
    EXPECT_EQ(log, (std::vector<std::string>{"destroy a", "destroy b"}));
}

TEST(DeferredTaskQueue, ClearDestroysUnrunAndKeepsServing) {
    std::vector<std::string> log;
    DeferredTaskQueue queue;
    queue.push(std::make_unique<LoggingTask>(log, "a"));
    queue.clear();
    EXPECT_EQ(log, (std::vector<std::string>{"destroy a"}));
    queue.push(std::make_unique<LoggingTask>(log, "b"));
    EXPECT_EQ(queue.size(), 1u);
}

class CountingTask : public DeferredTask {
public:
    CountingTask(int number, std::atomic<int>& destroyed) : number_(number), destroyed_(destroyed) {}
    ~CountingTask() override { ++destroyed_; }
    void execute() override {}
    int number() const { return number_; }

private:
    int number_;
    std::atomic<int>& destroyed_;
};

// The server thread pushes while the main thread pops: nothing lost, nothing reordered.
TEST(DeferredTaskQueue, PushesFromAnotherThreadWhileMainThreadPops) {
    constexpr int kTasks = 20000;
    std::atomic<int> destroyed{0};
    DeferredTaskQueue queue;
    std::thread server([&] {
        for (int i = 0; i < kTasks; ++i) queue.push(std::make_unique<CountingTask>(i, destroyed));
    });
    int expected = 0;
    while (expected < kTasks) {
        std::unique_ptr<DeferredTask> task = queue.pop();
        if (!task) {
            std::this_thread::yield();
            continue;
        }
        ASSERT_EQ(static_cast<CountingTask&>(*task).number(), expected);
        ++expected;
    }
    server.join();
    EXPECT_EQ(queue.pop(), nullptr);
    EXPECT_EQ(destroyed.load(), kTasks);
}

}  // namespace
