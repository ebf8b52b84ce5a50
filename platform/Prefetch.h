#pragma once
#include <algorithm>
#include <deque>
#include <future>
#include <string>
#include <utility>

// Results of work started ahead on a worker thread, handed by key to the one thread that
// asks for them, in whatever order it asks. Each result carries the lines its work would
// print, and the taker prints them when it takes the result in: the log reads as if every
// piece of work had been done on the taking thread at that moment, whatever order the
// worker finished in. Used by one thread only (the main thread); the futures carry the
// results across.
template <typename Result>
class Prefetch {
public:
    // Promises the result for `key`.
    void promise(const std::string& key, std::future<Result> result)
    {
        pending.push_back({key, std::move(result)});
    }

    // Takes the result promised for `key` (the oldest, should the key be promised twice),
    // waiting for it if its work has not ended yet; the results promised before it stay
    // for their own takes. Returns false, leaving `result` as it is, when none waits for
    // `key`: the caller then does the work itself.
    bool take(const std::string& key, Result& result)
    {
        const auto entry =
            std::find_if(pending.begin(), pending.end(), [&key](const Entry& waiting) { return waiting.key == key; });
        if (entry == pending.end()) {
            if (!pending.empty())
                ++missed;
            return false;
        }
        std::future<Result> next = std::move(entry->result);
        pending.erase(entry);
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
    int missed = 0; // takes that found no result for their key while others waited: work done twice
    int unused = 0; // results cleared before they were taken: work done for nothing

private:
    struct Entry {
        std::string key;             // what the result is for: a file name
        std::future<Result> result;  // ready once the worker has done it
    };
    std::deque<Entry> pending; // in the order promised
};
