#include "platform/WorkerThread.h"

#include <utility>

WorkerThread::WorkerThread() : thread(&WorkerThread::run, this)
{
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

void WorkerThread::stop(bool drop)
{
    {
        std::lock_guard<std::mutex> guard(lock);
        stopping = true;
        dropPending = dropPending || drop;
    }
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
            if (dropPending || tasks.empty())
                return;
            task = std::move(tasks.front());
            tasks.pop_front();
        }
        task();
    }
}
