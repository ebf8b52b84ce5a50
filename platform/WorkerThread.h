#pragma once
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// One thread of its own that runs the tasks given to it one after another, in the order
// they were posted. Work that a library allows on one thread only (the image library) is
// safe on it as long as no other thread uses that library at the same time. The thread
// blocks the stop signals (SIGINT, SIGTERM): the main thread takes them.
class WorkerThread {
public:
    WorkerThread();
    // Drops the tasks that have not started (at once: what they hold is released, so the
    // future of a dropped task reports a broken promise), waits for the running one and
    // joins the thread: a process that ends early (a fatal start-up error) never waits for
    // work that nobody will take any more.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    void post(std::function<void()> task); // runs after every task posted before it
    void finish();                          // runs every posted task, then joins; post no more afterwards

private:
    void run();
    void stop(bool dropPending);

    std::mutex lock;                         // guards the queue and the flag
    std::condition_variable wake;            // a task was posted or the thread must stop
    std::deque<std::function<void()>> tasks; // not yet started, oldest first
    bool stopping = false;                   // the thread ends once the queue is empty
    std::thread thread;                      // started by the constructor, after the members it reads
};
