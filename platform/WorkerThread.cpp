#include "platform/WorkerThread.h"

#include "platform/StopSignalMask.h"

#include <utility>

WorkerThread::WorkerThread()
{
    // The new thread inherits this mask: it is never without the block, not even before
    // its first instruction.
    const sigset_t previousMask = blockStopSignals();
    thread = std::thread(&WorkerThread::run, this);
    restoreSignalMask(previousMask);
}

WorkerThread::~WorkerThread()
{
    stop(true);
}

void WorkerThread::post(std::function<void()> task)
{
    {
        std::lock_guard<std::mutex> guard(lock);
        tasks.push_back(std::move(task));
    }
    wake.notify_one();
}

void WorkerThread::finish()
{
    stop(false);
}

void WorkerThread::stop(bool dropPending)
{
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard<std::mutex> guard(lock);
        stopping = true;
        if (dropPending)
            dropped.swap(tasks);
    }
    // Outside the lock: destroying a task may run code of its own (a promise breaking).
    dropped.clear();
    wake.notify_one();
    if (thread.joinable())
        thread.join();
}

void WorkerThread::run()
{
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock<std::mutex> guard(lock);
            wake.wait(guard, [this] { return stopping || !tasks.empty(); });
            if (tasks.empty())
                return;
            task = std::move(tasks.front());
            tasks.pop_front();
        }
        task();
    }
}
