#include "platform/WorkerThread.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <future>
#include <gtest/gtest.h>
#include <memory>
#include <pthread.h>
#include <vector>

namespace {
bool blocksStopSignals(const sigset_t& mask)
{
    return sigismember(&mask, SIGINT) == 1 && sigismember(&mask, SIGTERM) == 1;
}

sigset_t currentMask()
{
    sigset_t mask;
    pthread_sigmask(SIG_SETMASK, nullptr, &mask);
    return mask;
}

// Runs `action` when the last task that holds it goes away.
struct OnRelease {
    explicit OnRelease(std::function<void()> action) : action(std::move(action)) {}
    ~OnRelease() { action(); }
    std::function<void()> action; // what the release sets off
};
} // namespace

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

// Ctrl+C or kill while the worker loads must reach the main thread's handler, never the
// worker; the caller's own mask is left as it was.
TEST(WorkerThread, TheWorkerBlocksTheStopSignalsAndTheCallerKeepsItsMask)
{
    ASSERT_FALSE(blocksStopSignals(currentMask()));
    std::promise<sigset_t> workerMask;
    WorkerThread worker;
    worker.post([&workerMask] { workerMask.set_value(currentMask()); });
    EXPECT_TRUE(blocksStopSignals(workerMask.get_future().get()));
    EXPECT_FALSE(blocksStopSignals(currentMask()));
}

// Going away without finish (a fatal start-up error ends the process) drops the tasks not
// yet started at once, releasing what they hold, and still waits for the running one, so
// no thread is left inside a library while the process ends. The first task holds on
// until the test has seen the others dropped while the destructor waits.
TEST(WorkerThread, DestructionDropsTheTasksNotStartedAndWaitsForTheRunningOne)
{
    std::promise<void> firstStarted;
    std::promise<void> releaseFirst;
    std::shared_future<void> firstReleased = releaseFirst.get_future().share();
    std::promise<void> laterDropped;
    std::atomic<bool> firstEnded{false};
    std::atomic<int> laterRuns{0};
    std::atomic<bool> destroyed{false};

    auto worker = std::make_unique<WorkerThread>();
    worker->post([&] {
        firstStarted.set_value();
        firstReleased.wait();
        firstEnded = true;
    });
    {
        auto dropSignal = std::make_shared<OnRelease>([&laterDropped] { laterDropped.set_value(); });
        for (int i = 0; i < 3; ++i)
            worker->post([dropSignal, &laterRuns] { ++laterRuns; });
    }
    firstStarted.get_future().wait();
    std::thread destroyer([&] {
        worker.reset();
        destroyed = true;
    });

    // NOTE: the bound only turns a destructor that keeps the tasks into a failure rather
    // than a hang; a passing run never waits on it.
    const bool droppedWhileTheFirstRuns =
        laterDropped.get_future().wait_for(std::chrono::seconds(60)) == std::future_status::ready;
    const bool destroyedBeforeTheFirstEnded = destroyed;
    releaseFirst.set_value();
    destroyer.join();

    EXPECT_TRUE(droppedWhileTheFirstRuns);
    EXPECT_FALSE(destroyedBeforeTheFirstEnded);
    EXPECT_TRUE(firstEnded);
    EXPECT_EQ(laterRuns, 0);
}
