#include "plugin/deferred_task_queue.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

namespace {

// Records its number when destroyed (always on the test's thread).
class NumberedTask : public DeferredTask {
public:
    NumberedTask(int number, std::vector<int>& destroyed) : number_(number), destroyed_(destroyed) {}
    ~NumberedTask() override { destroyed_.push_back(number_); }
    void execute() override {}
    int number() const { return number_; }

private:
    int number_;
    std::vector<int>& destroyed_;
};

TEST(DeferredTaskQueue, NothingIsQueuedForNullAndWaitingTasksAreDestroyedUnrunFrontToBack) {
    std::vector<int> destroyed;
    {
        DeferredTaskQueue queue;
        EXPECT_EQ(queue.pop(), nullptr);
        queue.push(nullptr);
        EXPECT_EQ(queue.size(), 0u);
        queue.push(std::make_unique<NumberedTask>(1, destroyed));
        queue.clear();
        EXPECT_EQ(destroyed, std::vector<int>{1});
        queue.push(std::make_unique<NumberedTask>(2, destroyed));
        queue.push(std::make_unique<NumberedTask>(3, destroyed));
        EXPECT_EQ(queue.size(), 2u);
    }
    EXPECT_EQ(destroyed, (std::vector<int>{1, 2, 3}));
}

// The server thread pushes while the main thread pops: nothing lost, nothing reordered.
TEST(DeferredTaskQueue, PushesFromAnotherThreadWhileMainThreadPops) {
    constexpr int kTasks = 20000;
    std::vector<int> destroyed;
    DeferredTaskQueue queue;
    std::thread server([&] {
        for (int i = 0; i < kTasks; ++i) queue.push(std::make_unique<NumberedTask>(i, destroyed));
    });
    int expected = 0;
    while (expected < kTasks) {
        std::unique_ptr<DeferredTask> task = queue.pop();
        if (!task) {
            std::this_thread::yield();
            continue;
        }
        ASSERT_EQ(static_cast<NumberedTask&>(*task).number(), expected);
        ++expected;
    }
    server.join();
    EXPECT_EQ(queue.pop(), nullptr);
    EXPECT_EQ(destroyed.size(), static_cast<std::size_t>(kTasks));
}

}  // namespace
