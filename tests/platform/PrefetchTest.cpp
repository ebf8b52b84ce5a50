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

} // namespace

// Work done ahead finishes in any order, but its lines come out in the order the results
// are taken, which is the order they were promised in: the console reads as if each asset
// had been loaded on the spot.
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

// Asked out of order, nothing is handed out of turn: the caller does that work itself,
// the miss is counted, and the results still waiting keep their order.
TEST(Prefetch, AKeyOutOfTurnIsNotHandedOutAndCountsAsMissed)
{
    Prefetch<Lines> prefetch;
    std::promise<Lines> first;
    std::promise<Lines> second;
    prefetch.promise("a", first.get_future());
    prefetch.promise("b", second.get_future());
    first.set_value({"a\n"});
    second.set_value({"b\n"});

    Lines lines{"untouched"};
    EXPECT_FALSE(prefetch.take("b", lines));
    EXPECT_FALSE(prefetch.take("c", lines));
    EXPECT_EQ(lines.text, "untouched");
    EXPECT_EQ(prefetch.missed, 2);
    EXPECT_EQ(prefetch.waiting(), 2u);

    ASSERT_TRUE(prefetch.take("a", lines));
    EXPECT_EQ(lines.text, "a\n");
    ASSERT_TRUE(prefetch.take("b", lines));
    EXPECT_EQ(lines.text, "b\n");
    EXPECT_FALSE(prefetch.take("a", lines));
    EXPECT_EQ(prefetch.missed, 2) << "an empty queue is no miss";

    // What is never taken is counted when it is forgotten.
    std::promise<Lines> never;
    prefetch.promise("c", never.get_future());
    prefetch.clear();
    EXPECT_EQ(prefetch.waiting(), 0u);
    EXPECT_EQ(prefetch.unused, 1);
}
