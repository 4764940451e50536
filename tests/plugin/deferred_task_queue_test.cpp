#include "plugin/deferred_task_queue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>
#include <vector>

namespace {

// Records its number when destroyed (always on the test's thread), with the footprint given.
class NumberedTask : public DeferredTask {
public:
    NumberedTask(int number, std::vector<int>& destroyed, std::size_t bytes = 0)
        : number_(number), destroyed_(destroyed), bytes_(bytes) {}
    ~NumberedTask() override { destroyed_.push_back(number_); }
    void execute() override {}
    std::size_t footprint() const override { return bytes_; }
    int number() const { return number_; }

private:
    int number_;
    std::vector<int>& destroyed_;
    std::size_t bytes_;
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

// At most eight tasks, or 256 MB of results, wait; a refused push leaves the queue as it was and
// says how many wait. Taking one out makes room again.
TEST(DeferredTaskQueue, IsBoundedByCountAndByFootprint) {
    constexpr std::size_t MB = std::size_t{1} << 20;
    const struct {
        std::vector<std::size_t> accepted;
        std::size_t refused;
    } cases[] = {
        {std::vector<std::size_t>(8, 1), 1},
        {{100 * MB, 100 * MB}, 57 * MB},
        {{256 * MB}, 1},
        {{}, 256 * MB + 1},
    };
    std::vector<int> destroyed;
    const auto sized = [&](std::size_t bytes) { return std::make_unique<NumberedTask>(0, destroyed, bytes); };
    for (const auto& c : cases) {
        DeferredTaskQueue queue;
        for (std::size_t bytes : c.accepted) EXPECT_TRUE(queue.push(sized(bytes)));
        std::size_t waiting = 99;
        EXPECT_FALSE(queue.push(sized(c.refused), &waiting)) << c.refused;
        EXPECT_EQ(waiting, c.accepted.size());
        EXPECT_EQ(queue.size(), c.accepted.size());
        if (c.accepted.empty()) continue;
        queue.pop();
        EXPECT_TRUE(queue.push(sized(std::min(c.refused, c.accepted.front()))));
    }
}

// The server thread pushes while the main thread pops: nothing lost, nothing reordered.
TEST(DeferredTaskQueue, PushesFromAnotherThreadWhileMainThreadPops) {
    constexpr int kTasks = 20000;
    std::vector<int> destroyed;
    DeferredTaskQueue queue;
    std::thread server([&] {
        // Only this thread pushes: with room seen, the push is taken (a refused task would be
        // destroyed here, off the test's thread).
        for (int i = 0; i < kTasks;) {
            if (queue.size() == DeferredTaskQueue::kMaxWaitingTasks) {
                std::this_thread::yield();
                continue;
            }
            EXPECT_TRUE(queue.push(std::make_unique<NumberedTask>(i++, destroyed)));
        }
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
