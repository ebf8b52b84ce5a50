#include "platform/WorkerThread.h"

#include <future>
#include <gtest/gtest.h>
#include <vector>

// Every task runs on the one worker thread, never on the caller's, in the order posted:
// the image library may only ever be used from one thread at a time.
TEST(WorkerThread, RunsEveryTaskInPostingOrderOnItsOwnThread)
{
    std::vector<int> order;
    std::vector<std::thread::id> threads;
    {
        WorkerThread worker;
        for (int i = 0; i < 50; ++i)
            worker.post([&order, &threads, i] {
                order.push_back(i);
                threads.push_back(std::this_thread::get_id());
            });
        worker.finish();
    }
    ASSERT_EQ(order.size(), 50u);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(order[size_t(i)], i);
    for (const std::thread::id& thread : threads) {
        EXPECT_EQ(thread, threads.front());
        EXPECT_NE(thread, std::this_thread::get_id());
    }
}

// Going away without finish (a fatal start-up error ends the process) still waits for the
// task that runs, so no thread is left inside a library while the process ends.
TEST(WorkerThread, DestructionWaitsForTheRunningTask)
{
    std::promise<void> started;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    bool firstEnded = false;
    std::thread releaser;
    {
        WorkerThread worker;
        worker.post([&] {
            started.set_value();
            released.wait();
            firstEnded = true;
        });
        started.get_future().wait();
        releaser = std::thread([&] { release.set_value(); });
    }
    EXPECT_TRUE(firstEnded);
    releaser.join();
}
