#include "platform/Prefetch.h"
#include "platform/WorkerThread.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace {

// What a piece of loading work gives back: the lines it would have printed.
struct Lines {
    std::string text;
};

// Promises one result for each of `keys`, each already done and holding "<key>\n".
void promiseDone(Prefetch<Lines>& prefetch, const std::vector<std::string>& keys)
{
    for (const std::string& key : keys) {
        std::promise<Lines> done;
        done.set_value({key + "\n"});
        prefetch.promise(key, done.get_future());
    }
}

} // namespace

// Work done ahead finishes in any order, but its lines come out in the order the results
// are taken: the console reads as if each asset had been loaded on the spot.
TEST(Prefetch, LinesComeOutInTakingOrderWhateverOrderTheWorkEnded)
{
    const std::vector<std::string> keys = {"hero.dae", "wall.dae", "font.png"};
    std::vector<std::promise<Lines>> work(keys.size());
    Prefetch<Lines> prefetch;
    for (size_t i = 0; i < keys.size(); ++i)
        prefetch.promise(keys[i], work[i].get_future());

    // The last one ends first, on another thread; the first one last.
    {
        WorkerThread worker;
        for (size_t i = keys.size(); i-- > 0;)
            worker.post([&work, &keys, i] { work[i].set_value({"Reading " + keys[i] + "\n"}); });
        worker.finish();
    }

    std::ostringstream console;
    for (const std::string& key : keys) {
        Lines lines;
        ASSERT_TRUE(prefetch.take(key, lines)) << key;
        console << lines.text;
    }
    EXPECT_EQ(console.str(), "Reading hero.dae\nReading wall.dae\nReading font.png\n");
    EXPECT_EQ(prefetch.waiting(), 0u);
    EXPECT_EQ(prefetch.missed, 0);
}

// A take out of turn gets its own result and leaves the ones promised before it for their
// own takes: no later take misses, and nothing is done twice.
TEST(Prefetch, ATakeOutOfTurnGetsItsOwnResultAndLeavesTheOthersForTheirs)
{
    Prefetch<Lines> prefetch;
    promiseDone(prefetch, {"a", "b", "c"});

    std::string taken;
    for (const char* key : {"b", "c", "a"}) {
        Lines lines;
        ASSERT_TRUE(prefetch.take(key, lines)) << key;
        taken += lines.text;
    }
    EXPECT_EQ(taken, "b\nc\na\n");
    EXPECT_EQ(prefetch.missed, 0);
    EXPECT_EQ(prefetch.waiting(), 0u);
}

// A key nobody promised is a miss while results wait (the caller does that work itself)
// and no miss once all are taken; a key promised twice is handed out oldest first; what is
// never taken is counted when it is forgotten.
TEST(Prefetch, CountsMissesAndUnusedResults)
{
    Prefetch<Lines> prefetch;
    promiseDone(prefetch, {"a", "b"});
    std::promise<Lines> again;
    prefetch.promise("a", again.get_future());
    again.set_value({"a again\n"});

    Lines lines{"untouched"};
    EXPECT_FALSE(prefetch.take("c", lines));
    EXPECT_EQ(lines.text, "untouched");
    EXPECT_EQ(prefetch.missed, 1);
    EXPECT_EQ(prefetch.waiting(), 3u);

    ASSERT_TRUE(prefetch.take("a", lines));
    EXPECT_EQ(lines.text, "a\n");
    ASSERT_TRUE(prefetch.take("a", lines));
    EXPECT_EQ(lines.text, "a again\n");
    ASSERT_TRUE(prefetch.take("b", lines));
    EXPECT_FALSE(prefetch.take("b", lines));
    EXPECT_EQ(prefetch.missed, 1) << "an empty queue is no miss";

    promiseDone(prefetch, {"d", "e"});
    prefetch.clear();
    EXPECT_EQ(prefetch.waiting(), 0u);
    EXPECT_EQ(prefetch.unused, 2);
}
