#pragma once
#include <deque>
#include <future>
#include <string>
#include <utility>

// Results of work started ahead on a worker thread, handed out to the one thread that asks
// for them, in the order they were promised. Each result carries the lines its work would
// have printed, so whoever takes it in prints them at the moment the work used to run:
// the log reads as if everything had been done on the taking thread, one after another.
// Used by one thread only (the main thread); the futures carry the results across.
template <typename Result>
class Prefetch {
public:
    // Promises the result for `key` after every result promised before it.
    void promise(const std::string& key, std::future<Result> result)
    {
        pending.push_back({key, std::move(result)});
    }

    // Takes the oldest promised result if it is the one for `key`, waiting for it if its
    // work has not ended yet. Returns false, leaving `result` as it is, when the oldest
    // is for another key (or none is left): the caller then does the work itself.
    bool take(const std::string& key, Result& result)
    {
        if (pending.empty() || pending.front().key != key) {
            if (!pending.empty())
                ++missed;
            return false;
        }
        std::future<Result> next = std::move(pending.front().result);
        pending.pop_front();
        result = next.get();
        return true;
    }

    // Forgets every result not taken, counting them as unused (their work may still run
    // and is then thrown away).
    void clear()
    {
        unused += int(pending.size());
        pending.clear();
    }

    size_t waiting() const { return pending.size(); } // promised and not yet taken
    int missed = 0; // takes that found another key first: work done twice
    int unused = 0; // results cleared before they were taken: work done for nothing

private:
    struct Entry {
        std::string key;             // what the result is for: a file name
        std::future<Result> result;  // ready once the worker has done it
    };
    std::deque<Entry> pending; // oldest first
};
